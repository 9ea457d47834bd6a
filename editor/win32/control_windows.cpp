#include "editor/win32/control_windows.h"

#include "editor/form/twips.h"

#include <commctrl.h>

#include <algorithm>

namespace marlwick {

namespace {

constexpr int kFirstChildId = 1000;
constexpr int kTooltipWidth = 8640; // twips: six inches
constexpr int kTooltipShownMs = 30000;

const char* windowClass(ControlKind kind) {
    switch (kind) {
    case ControlKind::Label:
        return "STATIC";
    case ControlKind::TextBox:
        return "EDIT";
    case ControlKind::Button:
        return "BUTTON";
    }
    return "STATIC";
}

DWORD boxAlignment(Alignment alignment) {
    switch (alignment) {
    case Alignment::Left:
        return ES_LEFT;
    case Alignment::Center:
        return ES_CENTER;
    case Alignment::Right:
        return ES_RIGHT;
    }
    return ES_LEFT;
}

// Labels and buttons draw themselves, so that their background colour shows.
DWORD styleOf(const Control& control) {
    DWORD style = WS_CHILD;
    if (control.visible)
        style |= WS_VISIBLE;
    if (!control.enabled)
        style |= WS_DISABLED;
    switch (control.kind) {
    case ControlKind::Label:
        return style | SS_OWNERDRAW | SS_NOTIFY;
    case ControlKind::TextBox:
        return style | WS_TABSTOP | ES_AUTOHSCROLL | boxAlignment(control.alignment);
    case ControlKind::Button:
        return style | WS_TABSTOP | BS_OWNERDRAW;
    }
    return style;
}

bool sameSelection(const Control& a, const Control& b) {
    return a.selectionStart == b.selectionStart && a.selectionLength == b.selectionLength;
}

void select(HWND box, const Control& shown) {
    SendMessageA(box, EM_SETSEL, static_cast<WPARAM>(shown.selectionStart),
                 static_cast<LPARAM>(shown.selectionStart + shown.selectionLength));
}

} // namespace

ControlWindows::ControlWindows(HWND parent, const MainForm& form, GdiResources& gdi, int dpi)
    : parent_(parent), gdi_(gdi), dpi_(dpi), ids_(allControls()) {
    mirroring_ = true;
    entries_.reserve(ids_.size());
    for (std::size_t i = 0; i < ids_.size(); ++i) {
        const Control& wanted = control(form, ids_[i]);
        entries_.push_back({create(wanted, kFirstChildId + static_cast<int>(i)), wanted});
        if (!wanted.tooltip.empty())
            addTooltip(entries_.back().window, wanted.tooltip);
    }
    mirroring_ = false;
}

HWND ControlWindows::create(const Control& control, int childId) {
    const PixelRect place = toPixels(control.rect, dpi_);
    const DWORD extendedStyle = control.kind == ControlKind::TextBox ? WS_EX_CLIENTEDGE : 0;
    HWND window = CreateWindowExA(extendedStyle, windowClass(control.kind), control.text.c_str(),
                                  styleOf(control), place.left, place.top, place.width,
                                  place.height, parent_, reinterpret_cast<HMENU>(INT_PTR{childId}),
                                  GetModuleHandleA(nullptr), nullptr);
    SendMessageA(window, WM_SETFONT,
                 reinterpret_cast<WPARAM>(gdi_.font(control.font, control.bold)), FALSE);
    return window;
}

void ControlWindows::addTooltip(HWND tool, const std::string& text) {
    if (!tooltip_) {
        tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent_, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
        // The row captions explain themselves in a few lines: wrapped, and long enough on
        // screen to be read.
        SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, twipsToPixels(kTooltipWidth, dpi_));
        SendMessageA(tooltip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(kTooltipShownMs, 0));
    }
    TOOLINFOA info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = parent_;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    TOOLINFOA existing = info;
    const bool known =
        SendMessageA(tooltip_, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&existing)) != 0;
    info.lpszText = const_cast<char*>(text.c_str());
    SendMessageA(tooltip_, known ? TTM_UPDATETIPTEXTA : TTM_ADDTOOLA, 0,
                 reinterpret_cast<LPARAM>(&info));
}

HWND ControlWindows::handle(ControlId id) const {
    const auto at = std::ranges::find(ids_, id);
    return at == ids_.end() ? nullptr
                            : entries_[static_cast<std::size_t>(at - ids_.begin())].window;
}

std::optional<ControlId> ControlWindows::idOf(HWND window) const {
    const Entry* found = find(window);
    if (!found)
        return std::nullopt;
    return found->shown.id;
}

const Control* ControlWindows::shown(HWND window) const {
    const Entry* found = find(window);
    return found ? &found->shown : nullptr;
}

const ControlWindows::Entry* ControlWindows::find(HWND window) const {
    const auto at = std::ranges::find(entries_, window, &Entry::window);
    return at == entries_.end() ? nullptr : &*at;
}

ControlWindows::Entry& ControlWindows::entry(ControlId id) {
    return entries_.at(static_cast<std::size_t>(std::ranges::find(ids_, id) - ids_.begin()));
}

void ControlWindows::mirror(const MainForm& form) {
    for (std::size_t i = 0; i < ids_.size(); ++i)
        apply(entries_[i], control(form, ids_[i]));
}

void ControlWindows::apply(Entry& entry, const Control& wanted) {
    if (entry.shown == wanted)
        return;
    const Control old = entry.shown;
    entry.shown = wanted; // drawing during the calls below sees the new look
    HWND window = entry.window;

    if (wanted.rect != old.rect) {
        const PixelRect place = toPixels(wanted.rect, dpi_);
        MoveWindow(window, place.left, place.top, place.width, place.height, TRUE);
    }
    if (wanted.text != old.text) {
        mirroring_ = true;
        SetWindowTextA(window, wanted.text.c_str());
        mirroring_ = false;
    }
    if (wanted.font != old.font || wanted.bold != old.bold)
        SendMessageA(window, WM_SETFONT,
                     reinterpret_cast<WPARAM>(gdi_.font(wanted.font, wanted.bold)), TRUE);
    if (wanted.kind == ControlKind::TextBox && wanted.alignment != old.alignment) {
        const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE) & ~(ES_CENTER | ES_RIGHT);
        SetWindowLongPtrA(window, GWL_STYLE, style | boxAlignment(wanted.alignment));
    }
    if (wanted.enabled != old.enabled)
        EnableWindow(window, wanted.enabled);
    if (wanted.tooltip != old.tooltip)
        addTooltip(window, wanted.tooltip);
    if (wanted.kind == ControlKind::TextBox && !sameSelection(wanted, old))
        select(window, wanted);
    if (wanted.visible != old.visible)
        ShowWindow(window, wanted.visible ? SW_SHOWNA : SW_HIDE);
    InvalidateRect(window, nullptr, TRUE);
}

std::string ControlWindows::acceptTypedText(ControlId box) {
    Entry& typed = entry(box);
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(typed.window)), '\0');
    GetWindowTextA(typed.window, text.data(), static_cast<int>(text.size()) + 1);
    typed.shown.text = text;
    return text;
}

void ControlWindows::takeSelectionFromScreen(ControlId box, MainForm& form) {
    Entry& focused = entry(box);
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(focused.window, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    focused.shown.selectionStart = static_cast<int>(start);
    focused.shown.selectionLength = static_cast<int>(end - start);
    Control& modelled = control(form, box);
    modelled.selectionStart = focused.shown.selectionStart;
    modelled.selectionLength = focused.shown.selectionLength;
}

void ControlWindows::reapplySelection(ControlId box) {
    const Entry& focused = entry(box);
    if (GetFocus() == focused.window)
        select(focused.window, focused.shown);
}

} // namespace marlwick
