#include "editor/win32/control_painting.h"

#include "editor/form/main_form.h"
#include "editor/form/twips.h"

namespace marlwick {

namespace {

UINT horizontalAlignment(Alignment alignment) {
    switch (alignment) {
    case Alignment::Left:
        return DT_LEFT;
    case Alignment::Center:
        return DT_CENTER;
    case Alignment::Right:
        return DT_RIGHT;
    }
    return DT_LEFT;
}

COLORREF textColour(const Control& shown) {
    return GetSysColor(shown.enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
}

void prepareText(HDC dc, const Control& shown, GdiResources& gdi) {
    SelectObject(dc, gdi.font(shown.font, shown.bold));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, textColour(shown));
}

bool fitsInto(HDC dc, const std::string& text, const RECT& area) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx <= area.right - area.left;
}

constexpr int kButtonTextInset = 3;

} // namespace

void drawGridLines(HDC dc, GdiResources& gdi, int dpi, POINT origin) {
    for (const Line& line : gridLines()) {
        SelectObject(dc, gdi.pen(colourRef(line.colour), line.widthPixels));
        MoveToEx(dc, twipsToPixels(line.x1, dpi) - origin.x, twipsToPixels(line.y1, dpi) - origin.y,
                 nullptr);
        LineTo(dc, twipsToPixels(line.x2, dpi) - origin.x, twipsToPixels(line.y2, dpi) - origin.y);
    }
}

void drawButton(const DRAWITEMSTRUCT& item, const Control& shown, GdiResources& gdi) {
    HDC dc = item.hDC;
    RECT frame = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &frame, gdi.brush(colourRef(shown.background)));
    DrawEdge(dc, &frame, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    RECT text = frame;
    InflateRect(&text, -kButtonTextInset, 0);
    if (pressed)
        OffsetRect(&text, 1, 1);
    prepareText(dc, shown, gdi);
    // A caption too long for its button shows its beginning rather than its middle.
    const UINT alignment = fitsInto(dc, shown.text, text) ? DT_CENTER : DT_LEFT;
    DrawTextA(dc, shown.text.c_str(), static_cast<int>(shown.text.size()), &text,
              alignment | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

    if (item.itemState & ODS_FOCUS) {
        RECT focus = frame;
        InflateRect(&focus, -kButtonTextInset, -kButtonTextInset);
        DrawFocusRect(dc, &focus);
    }
}

void drawLabel(const DRAWITEMSTRUCT& item, const Control& shown, GdiResources& gdi, int dpi) {
    HDC dc = item.hDC;
    RECT area = item.rcItem;
    FillRect(dc, &area, gdi.brush(colourRef(shown.background)));
    prepareText(dc, shown, gdi);
    DrawTextA(dc, shown.text.c_str(), static_cast<int>(shown.text.size()), &area,
              horizontalAlignment(shown.alignment) | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    const PixelRect place = toPixels(shown.rect, dpi);
    drawGridLines(dc, gdi, dpi, {place.left, place.top});
}

} // namespace marlwick
