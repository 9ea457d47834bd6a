// The property sheet on the real platform: its pages, controls and captions as laid out, and
// what OK and Cancel do to the settings. A second thread plays the user.
#include "ejector/program_title.h"
#include "ejector/resource.h"
#include "ejector/win32/process_state.h"
#include "ejector/win32/property_sheet.h"
#include "tests/fakes/eject_page_layout.h"
#include "tests/win/ejector/dialog_template.h"
#include "tests/win/ejector/vandrl_program.h"
#include "tests/win/ejector/wine_drives.h"
#include "tests/win_support/on_screen.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace vandrel {
namespace {

HWND ShowPage(HWND sheet, int index) {
    SendMessageA(sheet, PSM_SETCURSEL, index, 0);
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

void Click(HWND page, int id) {
    wintest::click(GetDlgItem(page, id));
}

bool Checked(HWND page, int id) {
    return SendMessageA(GetDlgItem(page, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Runs the sheet on this thread while `user` acts on it from another; `user` ends the sheet.
// Returns whether the sheet appeared.
bool RunSheet(const std::function<void(HWND sheet)>& user) {
    bool appeared = false;
    std::thread driver([&] {
        // This process's sheet: other test programs may show theirs at the same time.
        HWND sheet =
            wintest::waitForWindow(GetCurrentProcessId(), wintest::kDialogClass, kProgramTitle);
        appeared = sheet != nullptr;
        if (!sheet)
            return;
        user(sheet);
        // A sheet the user failed to end would hold the test up for good.
        if (!wintest::waitUntilGone(sheet))
            PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    });
    ShowPropertySheet(nullptr);
    driver.join();
    return appeared;
}

void PressButton(HWND sheet, int button) {
    PostMessageA(sheet, PSM_PRESSBUTTON, button, 0);
}

class EjectPropertySheet : public ::testing::Test {
  protected:
    void SetUp() override {
        Process().instance = VandrlResources();
        ASSERT_NE(Process().instance, nullptr) << VandrlPath();
        Process().settings = EjectSettings{};
        InitCommonControls();
    }
};

// Each kind of control: its window class and the type bits of its style. A list is sorted and
// of several choices, with border and scroll bar, and tells its parent nothing.
struct KindOfControl {
    ControlKind kind;
    const char* className;
    DWORD typeMask;
    DWORD type;
};

constexpr DWORD kListStyle = LBS_SORT | LBS_MULTIPLESEL | WS_BORDER | WS_VSCROLL;
constexpr KindOfControl kKinds[] = {
    {ControlKind::Text, "Static", SS_TYPEMASK, SS_LEFT},
    {ControlKind::Icon, "Static", SS_TYPEMASK, SS_ICON},
    {ControlKind::EtchedLine, "Static", SS_TYPEMASK, SS_ETCHEDHORZ},
    {ControlKind::OwnerDrawButton, "Button", BS_TYPEMASK, BS_OWNERDRAW},
    {ControlKind::CheckBox, "Button", BS_TYPEMASK, BS_AUTOCHECKBOX},
    {ControlKind::PushButton, "Button", BS_TYPEMASK, BS_PUSHBUTTON},
    {ControlKind::Radio, "Button", BS_TYPEMASK, BS_AUTORADIOBUTTON},
    {ControlKind::List, "ListBox", kListStyle | LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT,
     kListStyle},
};

const KindOfControl& KindOf(ControlKind kind) {
    return *std::ranges::find(kKinds, kind, &KindOfControl::kind);
}

// The kind as the style says, and for radio buttons whether they take several lines.
bool StyleIsKind(DWORD style, const PageControl& expected) {
    const KindOfControl& kind = KindOf(expected.kind);
    const bool linesAsLaidOut =
        expected.kind != ControlKind::Radio || ((style & BS_MULTILINE) != 0) == expected.multiline;
    return (style & kind.typeMask) == kind.type && linesAsLaidOut;
}

std::string ExpectedCaption(const PageControl& expected) {
    if (expected.kind == ControlKind::Icon)
        return "#" + std::to_string(IDI_MAIN);
    return expected.caption;
}

const PageLayout* const kLayouts[] = {&GeneralPageLayout(), &ShutdownPageLayout(),
                                      &IconClickPageLayout()};

TEST(EjectPageTemplates, HoldEveryControlWithItsPlaceStyleAndCaption) {
    ASSERT_NE(VandrlResources(), nullptr) << VandrlPath();
    for (const PageLayout* layout : kLayouts) {
        SCOPED_TRACE(layout->title);
        const DialogTemplate page = ReadDialogTemplate(VandrlResources(), layout->dialogId);
        EXPECT_EQ(page.caption, layout->title);
        EXPECT_EQ(page.width, kPageWidth);
        EXPECT_EQ(page.height, kPageHeight);
        EXPECT_EQ(page.fontName, "MS Sans Serif");
        EXPECT_EQ(page.pointSize, 8);
        EXPECT_EQ(page.style & (WS_CHILD | WS_CAPTION | WS_POPUP),
                  static_cast<DWORD>(WS_CHILD | WS_CAPTION));
        ASSERT_EQ(page.controls.size(), layout->controls.size());
        for (std::size_t i = 0; i < page.controls.size(); ++i) {
            const TemplateControl& actual = page.controls[i];
            const PageControl& expected = layout->controls[i];
            SCOPED_TRACE(expected.caption);
            EXPECT_EQ(actual.id, expected.id);
            EXPECT_STRCASEEQ(actual.className.c_str(), KindOf(expected.kind).className);
            EXPECT_TRUE(StyleIsKind(actual.style, expected)) << std::hex << actual.style;
            EXPECT_EQ((actual.style & WS_GROUP) != 0, expected.startsGroup);
            EXPECT_EQ(actual.caption, ExpectedCaption(expected));
            EXPECT_EQ(actual.x, expected.x);
            EXPECT_EQ(actual.y, expected.y);
            EXPECT_EQ(actual.width, expected.width);
            EXPECT_EQ(actual.height, expected.height);
        }
    }
}

struct PageSeen {
    std::string tab;
    bool hasTabIcon = false;
    std::string fontName;
    std::vector<std::string> controls; // "id class caption" of each control, in order
};

// Identifier, class and caption; list boxes and icons have no caption to show.
std::string Describe(HWND control) {
    const std::string className = wintest::classOf(control);
    const bool isIcon = _stricmp(className.c_str(), "Static") == 0 &&
                        (GetWindowLongPtrA(control, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
    const bool hasText = !isIcon && _stricmp(className.c_str(), "ListBox") != 0;
    return std::to_string(static_cast<short>(GetDlgCtrlID(control))) + " " + className + " " +
           (hasText ? wintest::textOf(control) : "");
}

std::string Describe(const PageControl& control) {
    const bool hasText = control.kind != ControlKind::Icon && control.kind != ControlKind::List;
    return std::to_string(control.id) + " " + KindOf(control.kind).className + " " +
           (hasText ? control.caption : "");
}

TEST_F(EjectPropertySheet, ShowsThreePagesWithTheirTabsAndControls) {
    std::vector<PageSeen> seen(3);
    bool centred = false;
    ASSERT_TRUE(RunSheet([&](HWND sheet) {
        RECT bounds{};
        GetWindowRect(sheet, &bounds);
        const int x = (GetSystemMetrics(SM_CXSCREEN) - (bounds.right - bounds.left)) / 2;
        const int y = (GetSystemMetrics(SM_CYSCREEN) - (bounds.bottom - bounds.top)) / 2;
        centred = bounds.left == x && bounds.top == y;
        const HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
        for (int index = 0; index < 3; ++index) {
            PageSeen& page = seen[index];
            char text[64] = {};
            TCITEMA item{};
            item.mask = TCIF_TEXT | TCIF_IMAGE;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendMessageA(tabs, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
            page.tab = text;
            page.hasTabIcon = item.iImage >= 0;

            const HWND window = ShowPage(sheet, index);
            LOGFONTA font{};
            GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof font,
                       &font);
            page.fontName = font.lfFaceName;
            for (HWND control = GetWindow(window, GW_CHILD); control;
                 control = GetWindow(control, GW_HWNDNEXT)) {
                page.controls.push_back(Describe(control));
            }
        }
        PressButton(sheet, PSBTN_CANCEL);
    }));
    EXPECT_TRUE(centred);
    for (int index = 0; index < 3; ++index) {
        SCOPED_TRACE(kLayouts[index]->title);
        EXPECT_EQ(seen[index].tab, kLayouts[index]->title);
        EXPECT_TRUE(seen[index].hasTabIcon);
        EXPECT_EQ(seen[index].fontName, "MS Sans Serif");
        std::vector<std::string> expected;
        for (const auto& control : kLayouts[index]->controls)
            expected.push_back(Describe(control));
        EXPECT_EQ(seen[index].controls, expected);
    }
    EXPECT_FALSE(IsWindow(Process().sheetWindow));
}

TEST_F(EjectPropertySheet, OkAppliesEveryPageThatWasShown) {
    EjectSettings& settings = Process().settings;
    settings.EjectOnClick = 1;
    settings.IconClickDrives = 0x10; // E: is no removable drive here: its choice is kept
    settings.ShutdownDrives = 0x20;  // the Shutdown page is never shown: kept as it is
    HWND keptSheet = nullptr;
    bool singleChosen = false;
    ASSERT_TRUE(RunSheet([&](HWND sheet) {
        keptSheet = sheet;
        HWND general = ShowPage(sheet, 0);
        Click(general, IDC_SHOW_ICON);
        HWND iconClick = ShowPage(sheet, 2);
        singleChosen = Checked(iconClick, IDC_SINGLE_CLICK);
        Click(iconClick, IDC_DOUBLE_CLICK);
        PressButton(sheet, PSBTN_OK);
    }));
    EXPECT_EQ(Process().sheetWindow, keptSheet);
    EXPECT_TRUE(singleChosen);
    EXPECT_EQ(settings.ShowIcon, 0);
    EXPECT_EQ(settings.CheckForMedia, 1);
    EXPECT_EQ(settings.EjectOnClick, 2);
    EXPECT_EQ(settings.IconClickDrives, 0x10u);
    EXPECT_EQ(settings.ShutdownDrives, 0x20u);
    EXPECT_EQ(settings.EjectOnShutdown, 1);
}

std::vector<std::string> ListItems(HWND list, std::string* selected) {
    std::vector<std::string> items;
    const auto count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[16] = {};
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
        if (SendMessageA(list, LB_GETSEL, i, 0) > 0)
            *selected += text;
    }
    return items;
}

TEST_F(EjectPropertySheet, DriveListShowsWinesRemovableDrivesAndAppliesTheSelection) {
    WineDrive cdrom('V', DRIVE_CDROM, WineDrive::mediumFolder());
    WineDrive removable('R', DRIVE_REMOVABLE, WineDrive::mediumFolder());
    ASSERT_TRUE(cdrom.defined() && removable.defined());
    constexpr DriveMask kE = 1u << 4, kR = 1u << 17, kV = 1u << 21;
    EjectSettings& settings = Process().settings;
    settings.IconClickDrives = kV | kE; // E: is not present: its choice is kept on OK
    std::vector<std::string> shutdownItems, iconClickItems;
    std::string shutdownSelected, iconClickSelected;
    bool listEnabled = false;
    ASSERT_TRUE(RunSheet([&](HWND sheet) {
        HWND shutdown = ShowPage(sheet, 1);
        shutdownItems = ListItems(GetDlgItem(shutdown, IDC_DRIVE_LIST), &shutdownSelected);
        HWND iconClick = ShowPage(sheet, 2);
        const HWND list = GetDlgItem(iconClick, IDC_DRIVE_LIST);
        iconClickItems = ListItems(list, &iconClickSelected);
        listEnabled = IsWindowEnabled(list);
        const auto r = SendMessageA(list, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>("R:\\"));
        SendMessageA(list, LB_SETSEL, TRUE, r);
        PressButton(sheet, PSBTN_OK);
    }));
    // The other test programs of this folder may show drives of their own meanwhile.
    const auto has = [](const std::vector<std::string>& items, const char* item) {
        return std::ranges::find(items, item) != items.end();
    };
    EXPECT_TRUE(has(shutdownItems, "R:\\") && has(shutdownItems, "V:\\"));
    EXPECT_EQ(shutdownSelected, "");
    EXPECT_EQ(iconClickItems, shutdownItems);
    EXPECT_EQ(iconClickSelected, "V:\\");
    EXPECT_TRUE(listEnabled);
    EXPECT_EQ(settings.IconClickDrives, kR | kV | kE);
    EXPECT_EQ(settings.ShutdownDrives, kAllDrives);
}

TEST_F(EjectPropertySheet, CancelChangesNoSetting) {
    EjectSettings& settings = Process().settings;
    settings.ShutdownDrives = 0x10;
    const EjectSettings before = settings;
    ASSERT_TRUE(RunSheet([&](HWND sheet) {
        Click(ShowPage(sheet, 0), IDC_CHECK_MEDIA);
        HWND shutdown = ShowPage(sheet, 1);
        Click(shutdown, IDC_ALL_DRIVES);
        Click(shutdown, IDC_ENABLE);
        PressButton(sheet, PSBTN_CANCEL);
    }));
    EXPECT_EQ(settings, before);
}

TEST_F(EjectPropertySheet, EnableBoxDisablesTheDriveChoiceOnTheRealPage) {
    bool before[3] = {}, after[3] = {};
    ASSERT_TRUE(RunSheet([&](HWND sheet) {
        HWND shutdown = ShowPage(sheet, 1);
        const int ids[3] = {IDC_ALL_DRIVES, IDC_SELECTED_DRIVES, IDC_DRIVE_LIST};
        Click(shutdown, IDC_SELECTED_DRIVES);
        for (int i = 0; i < 3; ++i)
            before[i] = IsWindowEnabled(GetDlgItem(shutdown, ids[i]));
        Click(shutdown, IDC_ENABLE);
        for (int i = 0; i < 3; ++i)
            after[i] = IsWindowEnabled(GetDlgItem(shutdown, ids[i]));
        PressButton(sheet, PSBTN_CANCEL);
    }));
    EXPECT_TRUE(before[0] && before[1] && before[2]);
    EXPECT_FALSE(after[0] || after[1] || after[2]);
}

} // namespace
} // namespace vandrel
