// The main window on screen under Wine: the real controls stand where the twips say, show
// the model, and feed focus and typing back into it.
#include "editor/document/grid_map.h"
#include "editor/form/main_form.h"
#include "editor/form/value_grid.h"
#include "editor/win32/main_window.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <utility>
#include <vector>

namespace marlwick {
namespace {

std::string windowText(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)), '\0');
    GetWindowTextA(window, text.data(), static_cast<int>(text.size()) + 1);
    return text;
}

RECT clientRectOf(HWND child, HWND parent) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Rounded to the nearest pixel.
int pixels(int twips, int dpi) {
    return (twips * dpi + 720) / 1440;
}

class MainWindowOnScreen : public ::testing::TestWithParam<int> {
  protected:
    MainWindowOnScreen()
        : window(GetModuleHandleA(nullptr), MainWindowModel{},
                 {.dpi = GetParam(), .endsProgram = false}) {
        window.model().form.window.visible = true;
        window.mirror();
        pump();
    }

    void pump() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (!window.isDialogMessage(message)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        }
    }

    HWND box(int index) { return window.controlHandle({ControlArray::Text1, index}); }
    HWND speed(int k) { return window.controlHandle({ControlArray::Text3, k}); }

    void type(HWND target, const std::string& text) {
        for (char c : text)
            SendMessageA(target, WM_CHAR, static_cast<unsigned char>(c), 0);
    }

    void focus(HWND target) {
        SetFocus(target);
        pump();
    }

    // Speed 100, vehicle factor 1.0 and route factor 0.9 in every column.
    void loadValues() {
        MainWindowModel& model = window.model();
        for (int first : {0, 8})
            ListToBoxes(model, "1.0|1.0|1.0|1.0|1.0|1.0|1.0|1.0", first, 8);
        for (int first : {20, 28})
            ListToBoxes(model, "100|100|100|100|100|100|100|100", first, 8);
        for (int first : {36, 44})
            ListToBoxes(model, "0.9|0.9|0.9|0.9|0.9|0.9|0.9|0.9", first, 8);
        RecomputeRoutingSpeeds(model);
        window.mirror();
        pump();
    }

    int dpi() const { return GetParam(); }

    MainWindow window;
};

TEST_P(MainWindowOnScreen, ControlsStandAtTheirTwipsWithTheirCaptions) {
    const MainForm& form = window.model().form;
    for (ControlId id : allControls()) {
        const Control& laidOut = control(form, id);
        HWND child = window.controlHandle(id);
        ASSERT_NE(child, nullptr) << controlName(id);
        const RECT rect = clientRectOf(child, window.handle());
        EXPECT_EQ(rect.left, pixels(laidOut.rect.left, dpi())) << controlName(id);
        EXPECT_EQ(rect.top, pixels(laidOut.rect.top, dpi())) << controlName(id);
        EXPECT_EQ(rect.right, pixels(laidOut.rect.left + laidOut.rect.width, dpi()))
            << controlName(id);
        EXPECT_EQ(rect.bottom, pixels(laidOut.rect.top + laidOut.rect.height, dpi()))
            << controlName(id);
        EXPECT_EQ(windowText(child), laidOut.text) << controlName(id);
        EXPECT_EQ(IsWindowVisible(child) != 0, laidOut.visible) << controlName(id);
    }
}

TEST_P(MainWindowOnScreen, WindowKeepsItsWidthAndTakesTheOuterHeightOfTheModel) {
    EXPECT_EQ(windowText(window.handle()), kWindowTitle);
    RECT client;
    GetClientRect(window.handle(), &client);
    EXPECT_EQ(client.right, pixels(11070, dpi()));
    RECT outer;
    GetWindowRect(window.handle(), &outer);
    EXPECT_EQ(outer.bottom - outer.top, pixels(6690, dpi()));

    MainForm& form = window.model().form;
    form.window.outerHeight = 7350;
    form.command7.visible = true;
    window.mirror();
    GetWindowRect(window.handle(), &outer);
    EXPECT_EQ(outer.bottom - outer.top, pixels(7350, dpi()));
    EXPECT_TRUE(IsWindowVisible(window.controlHandle({ControlArray::Command7, 0})));
    GetClientRect(window.handle(), &client);
    EXPECT_EQ(client.right, pixels(11070, dpi()));
}

TEST_P(MainWindowOnScreen, ButtonsAndLabelsUseTheBoldSansSerifBoxesTheDefaultFont) {
    const auto fontOf = [&](ControlId id) {
        LOGFONTA font{};
        auto handle =
            reinterpret_cast<HFONT>(SendMessageA(window.controlHandle(id), WM_GETFONT, 0, 0));
        GetObjectA(handle, sizeof(font), &font);
        return font;
    };
    const LOGFONTA button = fontOf({ControlArray::Command1, 0});
    EXPECT_STREQ(button.lfFaceName, "MS Sans Serif");
    EXPECT_EQ(button.lfWeight, FW_BOLD);
    EXPECT_EQ(button.lfHeight, -MulDiv(825, dpi(), 7200));
    EXPECT_EQ(fontOf({ControlArray::Label1, 0}).lfWeight, FW_BOLD);
    const LOGFONTA text = fontOf({ControlArray::Text1, 0});
    EXPECT_EQ(text.lfWeight, FW_NORMAL);
    EXPECT_STRNE(text.lfFaceName, "");

    window.model().form.label7[0].bold = true;
    window.mirror();
    EXPECT_EQ(fontOf({ControlArray::Label7, 0}).lfWeight, FW_BOLD);
}

TEST_P(MainWindowOnScreen, DisabledBoxesAreLightGreyAndEnabledOnesWindowColoured) {
    disableBox(window.model().form.text1[0]);
    window.mirror();
    const auto backgroundOf = [&](UINT message, HWND control) {
        HDC dc = GetDC(control);
        auto brush = reinterpret_cast<HBRUSH>(SendMessageA(window.handle(), message,
                                                           reinterpret_cast<WPARAM>(dc),
                                                           reinterpret_cast<LPARAM>(control)));
        ReleaseDC(control, dc);
        LOGBRUSH description{};
        GetObjectA(brush, sizeof(description), &description);
        return description.lbColor;
    };
    EXPECT_FALSE(IsWindowEnabled(box(0)));
    EXPECT_EQ(backgroundOf(WM_CTLCOLORSTATIC, box(0)), RGB(230, 230, 230));
    EXPECT_TRUE(IsWindowEnabled(box(1)));
    EXPECT_EQ(backgroundOf(WM_CTLCOLOREDIT, box(1)), GetSysColor(COLOR_WINDOW));
}

TEST_P(MainWindowOnScreen, ButtonsAndTitlesShowTheirOwnBackground) {
    const auto colourAt = [&](ControlId id) {
        control(window.model().form, id).text.clear(); // nothing drawn over the background
        window.mirror();
        HWND control = window.controlHandle(id);
        RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        RECT rect;
        GetClientRect(control, &rect);
        HDC dc = GetDC(control);
        const COLORREF colour = GetPixel(dc, rect.right - 4, rect.bottom / 2);
        ReleaseDC(control, dc);
        return colour;
    };
    EXPECT_EQ(colourAt({ControlArray::Command4, 0}), RGB(255, 255, 0));
    EXPECT_EQ(colourAt({ControlArray::Label3, 0}), RGB(255, 0, 0));
    EXPECT_EQ(colourAt({ControlArray::Label6, 0}), RGB(0, 255, 0));
    EXPECT_EQ(colourAt({ControlArray::Command5, 0}), GetSysColor(COLOR_3DLIGHT));
    window.model().form.command4[0].background = Rgb{128, 128, 255};
    window.mirror();
    EXPECT_EQ(colourAt({ControlArray::Command4, 0}), RGB(128, 128, 255));
}

// What a box typed into shows once the focus moves on: a speed moves the routing speed, a
// factor takes its decimal form, a routing speed moves the vehicle's factor.
TEST_P(MainWindowOnScreen, TypedValuesTakeEffectWhenTheFocusMovesOn) {
    using enum ControlArray;
    struct Edit {
        ControlId box;
        const char* typed;
        ControlId next;
        std::vector<std::pair<ControlId, const char*>> shown;
    };
    const std::vector<Edit> edits = {
        {{Text1, 20},
         "120",
         {Text1, 21},
         {{{Text3, 0}, "108"}, {{Text3, 1}, "90"}, {{Text1, 20}, "120"}}},
        {{Text1, 3}, "1,2", {Text1, 4}, {{{Text1, 3}, "1.2"}, {{Text3, 3}, "108"}}},
        {{Text1, 5}, "2", {Text1, 6}, {{{Text1, 5}, "2.0"}}},
        {{Text3, 8}, "108", {Text3, 9}, {{{Text1, 8}, "1.2"}, {{Text3, 8}, "108"}}},
    };
    loadValues();
    EXPECT_EQ(windowText(speed(0)), "90");
    for (const Edit& edit : edits) {
        SCOPED_TRACE(controlName(edit.box));
        focus(window.controlHandle(edit.box));
        type(window.controlHandle(edit.box), edit.typed);
        EXPECT_EQ(control(window.model().form, edit.box).text, edit.typed);
        focus(window.controlHandle(edit.next));
        for (const auto& [id, text] : edit.shown)
            EXPECT_EQ(windowText(window.controlHandle(id)), text) << controlName(id);
    }
}

TEST_P(MainWindowOnScreen, EnteringABoxSelectsItsWholeTextAlsoByMouse) {
    loadValues();
    focus(box(44));
    DWORD start = 1, end = 0;
    SendMessageA(box(44), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 3u);

    // A click places the caret after the focus event; the selection is made again.
    const LPARAM inside = MAKELPARAM(4, 4);
    SendMessageA(box(45), WM_LBUTTONDOWN, MK_LBUTTON, inside);
    SendMessageA(box(45), WM_LBUTTONUP, 0, inside);
    pump();
    SendMessageA(box(45), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 3u);
}

TEST_P(MainWindowOnScreen, FocusLeavingTheProgramDoesNotLeaveTheBox) {
    loadValues();
    focus(box(2));
    type(box(2), "3");
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    SetActiveWindow(other);
    pump();
    EXPECT_EQ(windowText(box(2)), "3");
    SetActiveWindow(window.handle());
    pump();
    EXPECT_EQ(GetFocus(), box(2));
    EXPECT_EQ(windowText(box(2)), "3");
    focus(box(10));
    EXPECT_EQ(windowText(box(2)), "3.0");
    DestroyWindow(other);
}

TEST_P(MainWindowOnScreen, TabFollowsTheLaidOutOrderOverWhatCanTakeTheFocus) {
    const MainForm& form = window.model().form;
    std::vector<HWND> expected;
    for (ControlId id : tabOrder())
        if (control(form, id).visible && control(form, id).enabled)
            expected.push_back(window.controlHandle(id));
    for (std::size_t i = 0; i + 1 < expected.size(); ++i)
        ASSERT_EQ(GetNextDlgTabItem(window.handle(), expected[i], FALSE), expected[i + 1])
            << "after " << i;
    EXPECT_EQ(GetNextDlgTabItem(window.handle(), expected.back(), FALSE), expected.front());
}

TEST_P(MainWindowOnScreen, TheImportButtonWarnsAndTheRowCaptionsExplainInTooltips) {
    HWND tooltip = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND candidate, LPARAM found) {
            char className[64] = {};
            GetClassNameA(candidate, className, sizeof(className));
            if (std::string(className) == TOOLTIPS_CLASSA)
                *reinterpret_cast<HWND*>(found) = candidate;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&tooltip));
    ASSERT_NE(tooltip, nullptr);
    // The wide form: the narrow one gives no more than 80 bytes back.
    const auto tooltipOf = [&](ControlId id) {
        wchar_t wide[1024] = {};
        TOOLINFOW info{};
        info.cbSize = sizeof(info);
        info.hwnd = window.handle();
        info.uId = reinterpret_cast<UINT_PTR>(window.controlHandle(id));
        info.lpszText = wide;
        SendMessageW(tooltip, TTM_GETTEXTW, std::size(wide), reinterpret_cast<LPARAM>(&info));
        char text[1024] = {};
        WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof(text), nullptr, nullptr);
        return std::string(text);
    };
    EXPECT_EQ(tooltipOf({ControlArray::Command7, 0}),
              "Achtung!!! Alle Settings des Routing werden \xFC"
              "bernommen");
    // Every row caption of the grid explains its values.
    for (const grid::ValueRow& row : grid::kValueRows)
        EXPECT_NE(tooltipOf({ControlArray::Label2, row.label2}), "") << row.caption;
    for (ControlId caption :
         {ControlId{ControlArray::Label2, grid::kRouteValueLabel2},
          ControlId{ControlArray::Label5, 0}, ControlId{ControlArray::Label5, 1}})
        EXPECT_NE(tooltipOf(caption), "") << controlName(caption);
}

INSTANTIATE_TEST_SUITE_P(PixelsPerInch, MainWindowOnScreen, ::testing::Values(96, 144),
                         [](const auto& info) { return std::to_string(info.param) + "dpi"; });

} // namespace
} // namespace marlwick
