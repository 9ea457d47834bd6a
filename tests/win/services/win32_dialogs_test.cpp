// The dialogs class on the real common dialogs, under Wine: a helper thread plays the user,
// finds the dialog that the test's thread shows, reads what it shows and answers it.
#include "services/cls_sys_dialogs.h"
#include "services/win32/win32_dialogs.h"
#include "services/win32/win32_registry.h"
#include "services/win32/win32_system.h"
#include "tests/win_support/on_screen.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <dlgs.h>

#include <algorithm>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace marlwick {
namespace {

std::vector<std::string> childTexts(HWND dialog) {
    std::vector<std::string> texts;
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<std::string>*>(list)->push_back(wintest::textOf(child));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    return texts;
}

// The edit field inside the file name box, where the user types.
HWND fileNameEdit(HWND dialog) {
    HWND edit = nullptr;
    EnumChildWindows(
        GetDlgItem(dialog, cmb13),
        [](HWND child, LPARAM result) -> BOOL {
            if (wintest::classOf(child) != "Edit")
                return TRUE;
            *reinterpret_cast<HWND*>(result) = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&edit));
    return edit;
}

void press(HWND dialog, int button) {
    wintest::click(GetDlgItem(dialog, button));
}

// Plays the user on another thread while the test's thread shows a dialog: waits for the
// dialog, hands it to the action, and cancels it should it still be open afterwards.
class User {
  public:
    explicit User(std::function<void(HWND)> action) : player_([this, action] { play(action); }) {}
    ~User() { player_.join(); }
    User(const User&) = delete;
    User& operator=(const User&) = delete;

    bool sawDialog() const { return sawDialog_; }

  private:
    void play(const std::function<void(HWND)>& action) {
        const HWND dialog =
            wintest::waitForWindow(GetCurrentProcessId(), wintest::kDialogClass, nullptr);
        if (!dialog)
            return;
        sawDialog_ = true;
        wintest::readyForTheUser(dialog);
        action(dialog);
        if (!wintest::waitUntilGone(dialog))
            press(dialog, IDCANCEL);
    }

    bool sawDialog_ = false;
    std::thread player_;
};

HKEY classesRoot() {
    return HKEY_CLASSES_ROOT;
}

class RealDialogs : public testing::Test {
  protected:
    void SetUp() override {
        removeRegistration();
        setDefault(".mwkdlg", "MwkDialog.File");
        setDefault("MwkDialog.File", "Marlwick-Profil");
    }
    void TearDown() override { removeRegistration(); }

    static void setDefault(const char* key, const std::string& text) {
        HKEY opened = nullptr;
        ASSERT_EQ(RegCreateKeyExA(classesRoot(), key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &opened, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(opened, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1));
        RegCloseKey(opened);
    }
    static void removeRegistration() {
        RegDeleteTreeA(classesRoot(), ".mwkdlg");
        RegDeleteTreeA(classesRoot(), "MwkDialog.File");
    }

    static std::string tempFolder() {
        char folder[MAX_PATH];
        GetTempPathA(MAX_PATH, folder);
        return folder;
    }

    Win32Dialogs dialogs;
    Win32Registry registry;
    Win32System system;
    clsSysDialogs cls{dialogs, registry, system};
};

TEST_F(RealDialogs, ACancelledOpenDialogGivesTheFileNameBack) {
    std::string title, firstFilter;
    std::string result;
    {
        User user([&](HWND dialog) {
            title = wintest::textOf(dialog);
            char text[256] = {};
            SendDlgItemMessageA(dialog, cmb1, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
            firstFilter = text;
            press(dialog, IDCANCEL);
        });
        result = cls.GetOpenFileName(tempFolder(), "ApplicationSettings.xml", "mwkdlg;a.xml",
                                     "ApplicationSettings");
        EXPECT_TRUE(user.sawDialog());
    }
    EXPECT_EQ(result, "ApplicationSettings.xml");
    EXPECT_EQ(title, "ApplicationSettings");
    EXPECT_EQ(firstFilter, "Marlwick-Profil (*.mwkdlg)");
}

TEST_F(RealDialogs, AChosenFileComesBackAsItsFullPath) {
    const std::string path = tempFolder() + "mwk dialog \xE4.xml";
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    std::string title, result;
    {
        User user([&](HWND dialog) {
            title = wintest::textOf(dialog);
            SetWindowTextA(fileNameEdit(dialog), path.c_str());
            press(dialog, IDOK);
        });
        result = cls.GetOpenFileName(tempFolder(), "", "xml");
    }
    DeleteFileA(path.c_str());
    EXPECT_EQ(result, path);
    EXPECT_FALSE(title.empty()) << "an empty title leaves the system's own";
    EXPECT_NE(title, "ApplicationSettings");
}

TEST_F(RealDialogs, TheColourDialogGivesThePresetColourOnOkAndMinusOneOnCancel) {
    std::int32_t chosen = 0, cancelled = 0;
    {
        User user([](HWND dialog) { press(dialog, IDOK); });
        chosen = cls.GetColor(0x00336699);
    }
    {
        User user([](HWND dialog) { press(dialog, IDCANCEL); });
        cancelled = cls.GetColor();
    }
    EXPECT_EQ(chosen, 0x00336699);
    EXPECT_EQ(cancelled, -1);
}

TEST_F(RealDialogs, ACancelledFolderDialogGivesEmptyText) {
    std::vector<std::string> texts;
    std::string result = "unchanged";
    {
        User user([&](HWND dialog) {
            texts = childTexts(dialog);
            press(dialog, IDCANCEL);
        });
        result = cls.GetPath();
        EXPECT_TRUE(user.sawDialog());
    }
    EXPECT_EQ(result, "");
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Bitte wählen Sie ein Verzeichnis aus"),
              texts.end());
}

} // namespace
} // namespace marlwick
