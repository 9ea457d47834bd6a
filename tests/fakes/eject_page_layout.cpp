#include "tests/fakes/eject_page_layout.h"

#include "ejector/resource.h"
#include "program_versions.h"

namespace vandrel {

const char kReleaseLine[] = VANDRL_RELEASE_LINE;
const char kCreditLine[] = "Written by the Marlwick developers";
const char kWebAddress[] = "https://marlwick.example.org/vandrel";

namespace {

using K = ControlKind;

// The two drive choices and the list, alike on both drive pages but for the group start.
std::vector<PageControl> DriveChoice(bool startsGroup) {
    return {
        {IDC_ALL_DRIVES, K::Radio, startsGroup, true, "Eject &ALL removable-media drives.", 30, 43,
         70, 28},
        {IDC_SELECTED_DRIVES, K::Radio, false, true, "Eject &ONLY the selected drives:", 108, 43,
         52, 28},
        {IDC_DRIVE_LIST, K::List, false, false, "", 164, 40, 39, 34},
    };
}

std::vector<PageControl> Joined(std::vector<PageControl> head, std::vector<PageControl> tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

} // namespace

const PageLayout& GeneralPageLayout() {
    static const PageLayout layout{
        IDD_GENERAL,
        "General",
        {
            {-1, K::Text, false, false, kReleaseLine, 7, 11, 137, 8},
            {-1, K::Text, false, false, kCreditLine, 7, 22, 142, 8},
            {-1, K::Icon, false, false, "", 170, 18, 20, 20},
            {-1, K::EtchedLine, false, false, "", 7, 34, 146, 1},
            {IDC_LINK_LABEL, K::Text, false, false,
             "For information on the latest version, see:", 7, 38, 134, 8},
            {IDC_LINK, K::OwnerDrawButton, false, false, kWebAddress, 7, 48, 151, 11},
            {IDC_SHOW_ICON, K::CheckBox, false, false, "Show &Icon on Taskbar", 7, 72, 88, 10},
            {IDC_CHECK_MEDIA, K::CheckBox, false, false, "&Check for media before ejecting", 7, 86,
             116, 10},
            {IDC_CLOSE_NOW, K::PushButton, false, false, "Close &Now", 150, 75, 64, 16},
        },
    };
    return layout;
}

const PageLayout& ShutdownPageLayout() {
    static const PageLayout layout{
        IDD_SHUTDOWN,
        "Shutdown",
        Joined(
            {{IDC_ENABLE, K::CheckBox, false, false, "&Enable eject at shutdown", 7, 11, 96, 10}},
            DriveChoice(false)),
    };
    return layout;
}

const PageLayout& IconClickPageLayout() {
    static const PageLayout layout{
        IDD_ICON_CLICK,
        "Icon Click",
        Joined(
            {
                {IDC_ENABLE, K::CheckBox, false, false, "&Enable eject with taskbar icon", 7, 11,
                 111, 10},
                {IDC_SINGLE_CLICK, K::Radio, true, false, "&Single Click", 120, 7, 53, 10},
                {IDC_DOUBLE_CLICK, K::Radio, false, false, "&Double Click", 120, 17, 56, 10},
            },
            DriveChoice(true)),
    };
    return layout;
}

} // namespace vandrel
