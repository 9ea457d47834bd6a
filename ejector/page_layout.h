// The eject tool's three property pages: their size and titles, and their controls in tab order
// with place and size in dialog units (x, y, width, height). The resource script makes the real
// pages from this list and the tests make their in-memory pages from it, each defining the entry
// macros (PAGE_TEXT, PAGE_RADIO, ...) its own way; so it stays plain preprocessor text.
// Radio buttons say how they are reached: RADIO_STARTS_GROUP (by Tab, and a group of their
// own), RADIO_TAB_STOP (by Tab), RADIO_IN_GROUP (by the arrow keys), and RADIO_MULTILINE where
// the caption wraps.
#pragma once

#define PAGE_WIDTH 234
#define PAGE_HEIGHT 115

#define GENERAL_PAGE_TITLE "General"
#define GENERAL_PAGE_CONTROLS                                                                      \
    PAGE_TEXT(-1, VANDRL_RELEASE_LINE, 7, 11, 137, 8)                                              \
    PAGE_TEXT(-1, "Written by the Marlwick developers", 7, 22, 142, 8)                             \
    PAGE_ICON(IDI_MAIN, 170, 18, 20, 20)                                                           \
    PAGE_ETCHED_LINE(7, 34, 146, 1)                                                                \
    PAGE_TEXT(IDC_LINK_LABEL, "For information on the latest version, see:", 7, 38, 134, 8)        \
    PAGE_LINK(IDC_LINK, "https://marlwick.example.org/vandrel", 7, 48, 151, 11)                    \
    PAGE_CHECK_BOX(IDC_SHOW_ICON, "Show &Icon on Taskbar", 7, 72, 88, 10)                          \
    PAGE_CHECK_BOX(IDC_CHECK_MEDIA, "&Check for media before ejecting", 7, 86, 116, 10)            \
    PAGE_CHECK_BOX(IDC_START_WITH_WINDOWS, "Start with Windows", 7, 100, 84, 10)                   \
    PAGE_PUSH_BUTTON(IDC_CLOSE_NOW, "Close &Now", 150, 75, 64, 16)

// Alike on both drive pages but for how the first radio button is reached.
#define DRIVE_CHOICE(allDrivesReached)                                                             \
    PAGE_RADIO(IDC_ALL_DRIVES, "Eject &ALL removable-media drives.",                               \
               allDrivesReached | RADIO_MULTILINE, 30, 43, 70, 28)                                 \
    PAGE_RADIO(IDC_SELECTED_DRIVES, "Eject &ONLY the selected drives:", RADIO_MULTILINE, 108, 43,  \
               52, 28)                                                                             \
    PAGE_DRIVE_LIST(IDC_DRIVE_LIST, 164, 40, 39, 34)

#define ICON_CLICK_PAGE_TITLE "Icon Click"
#define ICON_CLICK_PAGE_CONTROLS                                                                   \
    PAGE_CHECK_BOX(IDC_ENABLE, "&Enable eject with taskbar icon", 7, 11, 111, 10)                  \
    PAGE_RADIO(IDC_SINGLE_CLICK, "&Single Click", RADIO_STARTS_GROUP, 120, 7, 53, 10)              \
    PAGE_RADIO(IDC_DOUBLE_CLICK, "&Double Click", RADIO_IN_GROUP, 120, 17, 56, 10)                 \
    DRIVE_CHOICE(RADIO_STARTS_GROUP)

#define SHUTDOWN_PAGE_TITLE "Shutdown"
#define SHUTDOWN_PAGE_CONTROLS                                                                     \
    PAGE_CHECK_BOX(IDC_ENABLE, "&Enable eject at shutdown", 7, 11, 96, 10)                         \
    DRIVE_CHOICE(RADIO_TAB_STOP)
