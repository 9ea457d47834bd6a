#include "tests/fakes/eject_page_layout.h"

#include "ejector/page_layout.h"
#include "ejector/resource.h"
#include "program_versions.h"

namespace vandrel {

const int kPageWidth = PAGE_WIDTH;
const int kPageHeight = PAGE_HEIGHT;

namespace {

// How the list's radio buttons are reached; only a group start tells them apart here.
constexpr unsigned RADIO_IN_GROUP = 0, RADIO_TAB_STOP = 0, RADIO_STARTS_GROUP = 1,
                   RADIO_MULTILINE = 2;

PageControl radio(int id, const char* text, unsigned reached, int x, int y, int cx, int cy) {
    const bool startsGroup = (reached & RADIO_STARTS_GROUP) != 0;
    const bool multiline = (reached & RADIO_MULTILINE) != 0;
    return {id, ControlKind::Radio, startsGroup, multiline, text, x, y, cx, cy};
}

// Each entry of the pages' list as a control of the in-memory page.
#define PAGE_TEXT(id, text, x, y, cx, cy) {id, ControlKind::Text, false, false, text, x, y, cx, cy},
#define PAGE_ICON(icon, x, y, cx, cy) {-1, ControlKind::Icon, false, false, "", x, y, cx, cy},
#define PAGE_ETCHED_LINE(x, y, cx, cy)                                                             \
    {-1, ControlKind::EtchedLine, false, false, "", x, y, cx, cy},
#define PAGE_LINK(id, text, x, y, cx, cy)                                                          \
    {id, ControlKind::OwnerDrawButton, false, false, text, x, y, cx, cy},
#define PAGE_CHECK_BOX(id, text, x, y, cx, cy)                                                     \
    {id, ControlKind::CheckBox, false, false, text, x, y, cx, cy},
#define PAGE_PUSH_BUTTON(id, text, x, y, cx, cy)                                                   \
    {id, ControlKind::PushButton, false, false, text, x, y, cx, cy},
#define PAGE_RADIO(id, text, reached, x, y, cx, cy) radio(id, text, reached, x, y, cx, cy),
#define PAGE_DRIVE_LIST(id, x, y, cx, cy) {id, ControlKind::List, false, false, "", x, y, cx, cy},

} // namespace

const PageLayout& GeneralPageLayout() {
    static const PageLayout layout{IDD_GENERAL, GENERAL_PAGE_TITLE, {GENERAL_PAGE_CONTROLS}};
    return layout;
}

const PageLayout& ShutdownPageLayout() {
    static const PageLayout layout{IDD_SHUTDOWN, SHUTDOWN_PAGE_TITLE, {SHUTDOWN_PAGE_CONTROLS}};
    return layout;
}

const PageLayout& IconClickPageLayout() {
    static const PageLayout layout{
        IDD_ICON_CLICK, ICON_CLICK_PAGE_TITLE, {ICON_CLICK_PAGE_CONTROLS}};
    return layout;
}

} // namespace vandrel
