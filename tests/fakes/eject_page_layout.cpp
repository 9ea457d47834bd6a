#include "tests/fakes/eject_page_layout.h"

#include "ejector/page_layout.h"
#include "ejector/resource.h"
#include "program_versions.h"

namespace vandrel {

const int kPageWidth = PAGE_WIDTH;
const int kPageHeight = PAGE_HEIGHT;

namespace {

using K = ControlKind;

// How the list's radio buttons are reached; only a group start tells them apart here.
constexpr unsigned RADIO_IN_GROUP = 0, RADIO_TAB_STOP = 0, RADIO_STARTS_GROUP = 1,
                   RADIO_MULTILINE = 2;

PageControl radio(int id, const char* text, unsigned reached, int x, int y, int w, int h) {
    const bool startsGroup = (reached & RADIO_STARTS_GROUP) != 0;
    const bool multiline = (reached & RADIO_MULTILINE) != 0;
    return {id, K::Radio, startsGroup, multiline, text, x, y, w, h};
}

// Each entry of the pages' list as a control of the in-memory page.
#define PAGE_TEXT(id, text, x, y, w, h) {id, K::Text, false, false, text, x, y, w, h},
#define PAGE_ICON(icon, x, y, w, h) {-1, K::Icon, false, false, "", x, y, w, h},
#define PAGE_ETCHED_LINE(x, y, w, h) {-1, K::EtchedLine, false, false, "", x, y, w, h},
#define PAGE_LINK(id, text, x, y, w, h) {id, K::OwnerDrawButton, false, false, text, x, y, w, h},
#define PAGE_CHECK_BOX(id, text, x, y, w, h) {id, K::CheckBox, false, false, text, x, y, w, h},
#define PAGE_PUSH_BUTTON(id, text, x, y, w, h) {id, K::PushButton, false, false, text, x, y, w, h},
#define PAGE_RADIO(id, text, reached, x, y, w, h) radio(id, text, reached, x, y, w, h),
#define PAGE_DRIVE_LIST(id, x, y, w, h) {id, K::List, false, false, "", x, y, w, h},

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
