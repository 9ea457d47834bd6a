// Vandrl.exe left running in the taskbar: a double click on its icon and "Eject Now" eject
// the chosen drives, a second start opens the property sheet, which also puts the tool in the
// user's Run key and takes it out, the end of the session ejects the shut-down drives when
// that is configured (also a choice made while the stick was out) and never holds the ending
// up, and "Close..." or "Close Now" answered Yes ends it. Wine's relay log shows which eject
// requests reach the system.
#include "ejector/program_title.h"
#include "ejector/tray_app.h"
#include "tests/e2e/scenario.h"
#include "tests/win/ejector/wine_drives.h"
#include "tests/win_support/on_screen.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>

namespace e2e {
namespace {

constexpr WPARAM kTrayIconId = 102;
constexpr const char* kSheetTitle = vandrel::kProgramTitle;

class VandrlResident : public Scenario {
  protected:
    void SetUp() override {
        Scenario::SetUp();
        // A stick and a CD, each with something on it.
        for (const char* folder : {"C:\\Media Stick", "C:\\Media CD"}) {
            makeFolder(folder);
            writeFile(joinPath(folder, "ApplicationSettings.xml"), sampleSettings());
        }
        stick = std::make_unique<vandrel::WineDrive>('R', DRIVE_REMOVABLE,
                                                     unixPathOf("C:\\Media Stick"));
        cd = std::make_unique<vandrel::WineDrive>('S', DRIVE_CDROM, unixPathOf("C:\\Media CD"));
        ASSERT_TRUE(stick->defined());
        ASSERT_TRUE(cd->defined());
        wintest::traceOnly("KERNEL32.CreateFileA;KERNELBASE.CreateFileA;"
                           "KERNEL32.DeviceIoControl;KERNELBASE.DeviceIoControl");
    }

    // What the shell sends when the user handles the icon, without waiting for the answer.
    static void iconMouse(HWND window, LPARAM mouseMessage) {
        SendNotifyMessageA(window, vandrel::kTrayCallbackMessage, kTrayIconId, mouseMessage);
    }

    // The user right-clicks the icon and picks an item of its menu with the arrow keys.
    static bool chooseFromIconMenu(const Program& tool, HWND window, WORD arrow, int presses) {
        iconMouse(window, WM_RBUTTONUP);
        const HWND menu = waitForWindow(tool.processId(), "#32768", "", 10000);
        if (!menu)
            return false;
        for (int press = 0; press < presses; ++press)
            pressKey(menu, arrow);
        pressKey(menu, VK_RETURN);
        return waitUntil([&] { return !IsWindowVisible(menu); });
    }

    static HWND residentWindow(const Program& tool) {
        return waitForHiddenWindow(tool.processId(), "Vandrel", kSheetTitle);
    }

    static HWND currentPage(HWND sheet) {
        return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    }

    // The sheet's page on show once the user moved one tab to the right.
    static HWND nextPageByTab(HWND sheet) {
        const HWND first = currentPage(sheet);
        pressKey(childrenOf(sheet, "SysTabControl32").front(), VK_RIGHT);
        waitUntil([&] { return currentPage(sheet) != first; });
        return currentPage(sheet);
    }

    // The system ends the session: true when nothing held it up, within the time.
    static bool endSession(DWORD& milliseconds) {
        const DWORD started = GetTickCount();
        Program wineboot("C:\\windows\\system32\\wineboot.exe", "--end-session");
        const DWORD code = wineboot.exitCode(30000);
        milliseconds = GetTickCount() - started;
        return code == 0;
    }

    // The user ticks or unticks a check box of the page and sees it take.
    static bool toggleCheckBox(HWND page, const char* caption) {
        const HWND box = childWithText(page, "Button", caption);
        if (!box)
            return false;
        const LRESULT before = SendMessageA(box, BM_GETCHECK, 0, 0);
        click(box);
        return waitUntil([&] { return SendMessageA(box, BM_GETCHECK, 0, 0) != before; });
    }

    // Whether the user's Run key starts this program file at log-on.
    bool startsWithWindows() const {
        const auto value =
            storedValue("Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Vandrl");
        return value && _stricmp(value->data.c_str(), quoted(vandrl()).c_str()) == 0;
    }

    // How many sheets the tool shows.
    static int sheetsOf(const Program& tool) {
        int sheets = 0;
        for (HWND found = nullptr;
             (found = FindWindowExA(nullptr, found, "#32770", kSheetTitle));) {
            DWORD owner = 0;
            GetWindowThreadProcessId(found, &owner);
            sheets += owner == tool.processId() ? 1 : 0;
        }
        return sheets;
    }

    // The sheet that a second start of the tool opens.
    HWND sheetOfSecondStart(const Program& tool) const {
        Program second(vandrl(), "");
        if (second.exitCode() != 0)
            return nullptr;
        return waitForWindow(tool.processId(), "#32770", kSheetTitle);
    }

    static long long setting(const char* name) {
        const auto value = storedValue(kEjectToolKey, name);
        if (!value || value->type != REG_DWORD)
            return -1;
        return value->dword();
    }

    std::unique_ptr<vandrel::WineDrive> stick;
    std::unique_ptr<vandrel::WineDrive> cd;
};

// Requests, drive by drive; the system's own drives (C:, Z:) hold media too.
bool requestsInclude(const std::string& requests, const std::string& drives) {
    return std::ranges::all_of(
        drives, [&](char drive) { return std::ranges::count(requests, drive) == 1; });
}

TEST_F(VandrlResident, EjectsByClickAndMenuAndEndsOnYes) {
    Program tool(vandrl(), "", WineLog::relayEnvironment());
    const HWND window = residentWindow(tool);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowVisible(window));

    // Fresh settings eject on a double click, every drive that holds a medium.
    {
        const WineLog log;
        iconMouse(window, WM_LBUTTONDOWN);
        iconMouse(window, WM_LBUTTONUP);
        ASSERT_TRUE(wintest::handledSoFar(window));
        EXPECT_EQ(log.ejectRequests(), "");
        iconMouse(window, WM_LBUTTONDBLCLK);
        EXPECT_TRUE(waitUntil([&] { return requestsInclude(log.ejectRequests(), "RS"); }))
            << log.ejectRequests();
    }
    {
        const WineLog log;
        ASSERT_TRUE(chooseFromIconMenu(tool, window, VK_DOWN, 1)); // "Eject Now"
        EXPECT_TRUE(waitUntil([&] { return requestsInclude(log.ejectRequests(), "RS"); }))
            << log.ejectRequests();
    }

    // A second start opens the running copy's sheet, and ends; OK stores the settings, and
    // the ticked "Start with Windows" the tool's Run value.
    const HWND sheet = sheetOfSecondStart(tool);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(textOf(currentPage(sheet)), "General");
    // Asked again while it is open, the tool opens no second sheet. Sent without waiting, as a
    // second sheet would not return; the round trip then says it is handled.
    SendNotifyMessageA(window, vandrel::kShowPropertiesMessage, 0, 0);
    ASSERT_TRUE(wintest::handledSoFar(window));
    EXPECT_EQ(sheetsOf(tool), 1);
    ASSERT_TRUE(toggleCheckBox(currentPage(sheet), "Start with Windows"));
    click(childWithText(sheet, "Button", "OK"));
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(sheet); }));
    EXPECT_TRUE(waitUntil([&] { return setting("EjectOnClick") == 2; }));
    EXPECT_EQ(setting("ShowIcon"), 1);
    EXPECT_EQ(setting("CheckForMedia"), 1);
    EXPECT_EQ(setting("EjectOnShutdown"), 1);
    EXPECT_EQ(setting("ShutdownDrives"), 0xFFFFFFFFll);
    EXPECT_EQ(setting("IconClickDrives"), 0xFFFFFFFFll);
    EXPECT_TRUE(startsWithWindows());

    // Unticked, the Run value goes; the media check unticked too is stored.
    const HWND again = sheetOfSecondStart(tool);
    ASSERT_NE(again, nullptr);
    ASSERT_TRUE(toggleCheckBox(currentPage(again), "Start with Windows"));
    ASSERT_TRUE(toggleCheckBox(currentPage(again), "&Check for media before ejecting"));
    click(childWithText(again, "Button", "OK"));
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(again); }));
    EXPECT_FALSE(startsWithWindows());
    EXPECT_TRUE(waitUntil([&] { return setting("CheckForMedia") == 0; }));

    // "Close..." answered No keeps it; "Close &Now" on the sheet asks the same, and Yes ends it
    // with its sheet.
    ASSERT_TRUE(chooseFromIconMenu(tool, window, VK_UP, 1));
    const MessageBoxSeen asked = answerMessageBox(tool.processId(), "Close Vandrel", IDNO);
    ASSERT_TRUE(asked.appeared);
    EXPECT_EQ(asked.text, "This will unload Vandrel and prevent it from ejecting on shutdown. "
                          "Are you sure you wish to quit?");
    ASSERT_TRUE(wintest::handledSoFar(window));
    ASSERT_TRUE(tool.running());
    const HWND last = sheetOfSecondStart(tool);
    ASSERT_NE(last, nullptr);
    click(childWithText(currentPage(last), "Button", "Close &Now"));
    ASSERT_TRUE(answerMessageBox(tool.processId(), "Close Vandrel", IDYES).appeared);
    EXPECT_EQ(tool.exitCode(), 0u);
    EXPECT_FALSE(IsWindow(last));
    EXPECT_EQ(setting("CheckForMedia"), 0);
}

TEST_F(VandrlResident, TheEndOfTheSessionEjectsTheConfiguredDrivesAndIsNotHeldUp) {
    // First the shut-down drives are chosen on the sheet: the stick only.
    {
        Program tool(vandrl(), "");
        const HWND window = residentWindow(tool);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(chooseFromIconMenu(tool, window, VK_DOWN, 2)); // "Properties..."
        const HWND sheet = waitForWindow(tool.processId(), "#32770", kSheetTitle);
        ASSERT_NE(sheet, nullptr);
        const HWND page = nextPageByTab(sheet);
        ASSERT_EQ(textOf(page), "Shutdown");
        const HWND enable = childWithText(page, "Button", "&Enable eject at shutdown");
        ASSERT_NE(enable, nullptr);
        EXPECT_EQ(SendMessageA(enable, BM_GETCHECK, 0, 0), BST_CHECKED);
        const HWND list = childrenOf(page, "ListBox").front();
        EXPECT_FALSE(IsWindowEnabled(list));
        click(childWithText(page, "Button", "Eject &ONLY the selected drives:"));
        ASSERT_TRUE(waitUntil([&] { return IsWindowEnabled(list) != FALSE; }));
        // The list holds the removable drives, sorted: the stick R:\ on top.
        ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 2);
        const auto itemHeight = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
        clickAt(list, {5, itemHeight / 2});
        ASSERT_TRUE(waitUntil([&] { return SendMessageA(list, LB_GETSEL, 0, 0) > 0; }));
        EXPECT_EQ(SendMessageA(list, LB_GETSEL, 1, 0), 0);
        click(childWithText(sheet, "Button", "OK"));
        ASSERT_TRUE(waitUntil([&] { return !IsWindow(sheet); }));
        EXPECT_TRUE(waitUntil([&] { return setting("ShutdownDrives") == 1 << ('R' - 'A'); }))
            << setting("ShutdownDrives");
        EXPECT_EQ(setting("EjectOnShutdown"), 1);

        // With the stick pulled, the list lacks it, and OK keeps its choice all the same.
        stick.reset();
        const HWND again = sheetOfSecondStart(tool);
        ASSERT_NE(again, nullptr);
        const HWND pageAgain = nextPageByTab(again);
        EXPECT_EQ(SendMessageA(childrenOf(pageAgain, "ListBox").front(), LB_GETCOUNT, 0, 0), 1);
        click(childWithText(again, "Button", "OK"));
        ASSERT_TRUE(waitUntil([&] { return !IsWindow(again); }));
        ASSERT_TRUE(chooseFromIconMenu(tool, window, VK_UP, 1));
        ASSERT_TRUE(answerMessageBox(tool.processId(), "Close Vandrel", IDYES).appeared);
        ASSERT_EQ(tool.exitCode(), 0u);
        EXPECT_EQ(setting("ShutdownDrives"), 1 << ('R' - 'A'));
    }

    // The next session's copy ejects the stick alone when the session ends, at once.
    stick =
        std::make_unique<vandrel::WineDrive>('R', DRIVE_REMOVABLE, unixPathOf("C:\\Media Stick"));
    ASSERT_TRUE(stick->defined());
    Program tool(vandrl(), "", WineLog::relayEnvironment());
    ASSERT_NE(residentWindow(tool), nullptr);
    const WineLog log;
    DWORD took = 0;
    EXPECT_TRUE(endSession(took));
    EXPECT_LT(took, 10000u);
    EXPECT_TRUE(waitUntil([&] { return log.ejectRequests() == "R"; })) << log.ejectRequests();
}

TEST_F(VandrlResident, WithoutEjectAtShutdownTheEndOfTheSessionEjectsNothing) {
    Program tool(vandrl(), "", WineLog::relayEnvironment());
    const HWND window = residentWindow(tool);
    ASSERT_NE(window, nullptr);
    const HWND sheet = sheetOfSecondStart(tool);
    ASSERT_NE(sheet, nullptr);
    const HWND page = nextPageByTab(sheet);
    ASSERT_EQ(textOf(page), "Shutdown");
    click(childWithText(page, "Button", "&Enable eject at shutdown"));
    click(childWithText(sheet, "Button", "OK"));
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(sheet); }));
    EXPECT_TRUE(waitUntil([&] { return setting("EjectOnShutdown") == 0; }));

    const WineLog log;
    DWORD took = 0;
    EXPECT_TRUE(endSession(took));
    EXPECT_LT(took, 10000u); // wineboot ends once every window has answered
    EXPECT_EQ(log.ejectRequests(), "");
}

} // namespace
} // namespace e2e
