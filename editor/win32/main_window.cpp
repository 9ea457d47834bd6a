#include "editor/win32/main_window.h"

#include "editor/form/twips.h"
#include "editor/operations/error_report.h"
#include "editor/operations/main_window_events.h"
#include "editor/win32/control_painting.h"
#include "editor/win32/resource.h"

#include <commctrl.h>

#include <stdexcept>

namespace marlwick {

namespace {

constexpr char kClassName[] = "MarlwickMain";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExtendedStyle = WS_EX_CONTROLPARENT;
// Posted after a box got the focus; wParam is the box.
constexpr UINT kReapplySelection = WM_APP + 1;

void registerWindowClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (GetClassInfoExA(instance, kClassName, &windowClass))
        return;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDI_MARLWICK), IMAGE_ICON, 32, 32, 0));
    windowClass.hIconSm = static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDI_MARLWICK), IMAGE_ICON, 16, 16, 0));
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // the arrow
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassExA(&windowClass))
        throw std::runtime_error("the main window's class cannot be registered");
}

void initialiseCommonControls() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
}

} // namespace

MainWindow::MainWindow(HINSTANCE instance, MainWindowModel model, MainWindowOptions options)
    : model_(std::move(model)), options_(options),
      dpi_(options.dpi > 0 ? options.dpi : screenDpi()), gdi_(dpi_) {
    initialiseCommonControls();
    registerWindowClass(instance, windowProcedure);
    const std::string title = shownTitle(model_);
    CreateWindowExA(kExtendedStyle, kClassName, title.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
    if (!window_)
        throw std::runtime_error("the main window cannot be created");
    controls_ = std::make_unique<ControlWindows>(window_, model_.form, gdi_, dpi_);
    shownFrame_ = {title, 0, 0, false};
    mirrorFrame();
}

MainWindow::~MainWindow() {
    if (window_) {
        options_.endsProgram = false;
        DestroyWindow(window_);
    }
}

void MainWindow::mirror() {
    controls_->mirror(model_.form);
    mirrorFrame();
}

void MainWindow::mirrorFrame() {
    const WindowFrame& wanted = model_.form.window;
    const std::string title = shownTitle(model_);
    if (title != shownFrame_.title)
        SetWindowTextA(window_, title.c_str());
    if (wanted.clientWidth != shownFrame_.clientWidth ||
        wanted.outerHeight != shownFrame_.outerHeight) {
        // The width is laid out for the client area, the height for the whole window.
        RECT outer{0, 0, twipsToPixels(wanted.clientWidth, dpi_), 0};
        AdjustWindowRectEx(&outer, kStyle, FALSE, kExtendedStyle);
        SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left,
                     twipsToPixels(wanted.outerHeight, dpi_),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (wanted.visible != shownFrame_.visible) {
        ShowWindow(window_, wanted.visible ? options_.firstShowCommand : SW_HIDE);
        options_.firstShowCommand = SW_SHOW;
    }
    shownFrame_ = wanted;
    shownFrame_.title = title;
}

void MainWindow::runEvent(const std::function<void(MainWindowModel&)>& event) {
    try {
        event(model_);
    } catch (const std::exception& error) {
        mirror(); // what the operation did before it failed stays done
        reportError(errorReportText(error));
    }
    mirror();
}

void MainWindow::reportError(const std::string& text) {
    MessageBoxA(window_, text.c_str(), std::string(kProgramName).c_str(),
                MB_OK | MB_ICONEXCLAMATION);
}

void MainWindow::addSystemMenuItem(UINT command, const std::string& text,
                                   std::function<void()> handler) {
    HMENU menu = GetSystemMenu(window_, FALSE);
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, command, text.c_str());
    systemMenuHandlers_[command] = std::move(handler);
}

bool MainWindow::isDialogMessage(MSG& message) {
    return IsDialogMessageA(window_, &message);
}

int MainWindow::showAndRunMessageLoop() {
    model_.form.window.visible = true;
    mirror();
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (isDialogMessage(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

LRESULT CALLBACK MainWindow::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* creating =
            static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        creating->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creating));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return self->handleMessage(message, wParam, lParam);
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (lParam)
            handleCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return 0;
    case WM_DRAWITEM:
        drawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
        return colourControl(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_PAINT:
        paintLines();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            focusBeforeDeactivation_ = focus && IsChild(window_, focus) ? focus : nullptr;
        } else if (!HIWORD(wParam) && focusBeforeDeactivation_) {
            SetFocus(focusBeforeDeactivation_);
            return 0;
        }
        break;
    case WM_SYSCOMMAND:
        // The system's own commands use the low four bits.
        if (const auto item = systemMenuHandlers_.find(wParam & 0xFFF0);
            item != systemMenuHandlers_.end()) {
            runEvent([&](MainWindowModel&) { item->second(); });
            return 0;
        }
        break;
    case kReapplySelection:
        if (const auto box = controls_->idOf(reinterpret_cast<HWND>(wParam)))
            controls_->reapplySelection(*box);
        return 0;
    case WM_CLOSE:
        if (!mayClose())
            return 0;
        break;
    case WM_DESTROY:
        if (options_.endsProgram)
            PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

// The one place where a control's notification becomes an event of the model.
void MainWindow::handleCommand(HWND control, UINT code) {
    const Control* shown = controls_ ? controls_->shown(control) : nullptr;
    if (!shown)
        return;
    const ControlId id = shown->id;
    switch (shown->kind) {
    case ControlKind::TextBox:
        if (code == EN_SETFOCUS)
            focusGained(id);
        else if (code == EN_KILLFOCUS)
            focusLost(id);
        else if (code == EN_CHANGE && !controls_->mirroring()) {
            const std::string typed = controls_->acceptTypedText(id);
            runEvent([&](MainWindowModel& model) { onTextTyped(model, id, typed); });
        }
        break;
    case ControlKind::Button:
        // A quick second click arrives as a double click; it is a click all the same.
        if (code == BN_CLICKED || code == BN_DOUBLECLICKED)
            click(id);
        break;
    case ControlKind::Label:
        if (code == STN_CLICKED)
            click(id);
        break;
    }
}

void MainWindow::click(ControlId clicked) {
    if (clickHandler_)
        runEvent([&](MainWindowModel&) { clickHandler_(clicked); });
}

bool MainWindow::mayClose() {
    if (!closeQuery_)
        return true;
    bool allowed = false; // an error keeps the window and what it shows
    runEvent([&](MainWindowModel&) { allowed = closeQuery_(); });
    return allowed;
}

void MainWindow::focusGained(ControlId box) {
    if (awayFrom_ == box) {
        awayFrom_.reset(); // back from another window: not a new entry
        return;
    }
    if (const auto left = std::exchange(awayFrom_, std::nullopt))
        runEvent([&](MainWindowModel& model) { onFocusLost(model, *left); });
    controls_->takeSelectionFromScreen(box, model_.form);
    runEvent([&](MainWindowModel& model) { onFocusGained(model, box); });
    PostMessageA(window_, kReapplySelection, reinterpret_cast<WPARAM>(controls_->handle(box)), 0);
}

void MainWindow::focusLost(ControlId box) {
    // The focus has moved already; outside this window it went to another program or a
    // message box, and the box stays where it is until the user moves on inside the window.
    HWND next = GetFocus();
    if (!next || !IsChild(window_, next)) {
        awayFrom_ = box;
        return;
    }
    runEvent([&](MainWindowModel& model) { onFocusLost(model, box); });
}

LRESULT MainWindow::colourControl(HDC dc, HWND control) {
    const Control* shown = controls_ ? controls_->shown(control) : nullptr;
    if (!shown)
        return DefWindowProcA(window_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(control));
    const COLORREF background = colourRef(shown->background);
    SetBkColor(dc, background);
    SetTextColor(dc, GetSysColor(shown->enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    return reinterpret_cast<LRESULT>(gdi_.brush(background));
}

void MainWindow::drawItem(const DRAWITEMSTRUCT& item) {
    const Control* shown = controls_ ? controls_->shown(item.hwndItem) : nullptr;
    if (!shown)
        return;
    if (shown->kind == ControlKind::Button)
        drawButton(item, *shown, gdi_);
    else
        drawLabel(item, *shown, gdi_, dpi_);
}

void MainWindow::paintLines() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    drawGridLines(dc, gdi_, dpi_, {0, 0});
    EndPaint(window_, &paint);
}

} // namespace marlwick
