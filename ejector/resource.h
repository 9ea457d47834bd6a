// Resource, control and command identifiers of the eject tool, shared by the resource script
// and the code (so plain defines).
#pragma once

#define IDI_MAIN 102
#define IDI_SMALL 103
#define IDI_ICON_CLICK 114
#define IDI_SHUTDOWN 115

#define IDD_GENERAL 111
#define IDD_ICON_CLICK 112
#define IDD_SHUTDOWN 113

#define IDC_SHOW_ICON 1000
#define IDC_CHECK_MEDIA 1011
#define IDC_ALL_DRIVES 1012
#define IDC_SELECTED_DRIVES 1013
#define IDC_SINGLE_CLICK 1014
#define IDC_DOUBLE_CLICK 1015
#define IDC_DRIVE_LIST 1019
#define IDC_ENABLE 1020
#define IDC_CLOSE_NOW 1021
#define IDC_LINK 1022
#define IDC_LINK_LABEL 1023
#define IDC_START_WITH_WINDOWS 1024

#define ID_EJECT_NOW 45000
#define ID_PROPERTIES 45001
#define ID_CLOSE 45002
