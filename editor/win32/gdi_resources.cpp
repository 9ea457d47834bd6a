#include "editor/win32/gdi_resources.h"

#include <cstring>

namespace marlwick {

namespace {

int systemColourIndex(SystemColour colour) {
    switch (colour) {
    case SystemColour::WindowBackground:
        return COLOR_WINDOW;
    case SystemColour::ButtonFace:
        return COLOR_BTNFACE;
    case SystemColour::ButtonLight:
        return COLOR_3DLIGHT;
    case SystemColour::GrayText:
        return COLOR_GRAYTEXT;
    case SystemColour::WindowText:
        return COLOR_WINDOWTEXT;
    }
    return COLOR_WINDOW;
}

// "MS Sans Serif" 8.25 point: the height in pixels, negative for the character height.
constexpr int kSansSerifHundredthsOfAPoint = 825;

} // namespace

COLORREF colourRef(const Colour& colour) {
    if (const auto* rgb = std::get_if<Rgb>(&colour))
        return RGB(rgb->red, rgb->green, rgb->blue);
    return GetSysColor(systemColourIndex(std::get<SystemColour>(colour)));
}

int screenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

GdiResources::~GdiResources() {
    for (const auto& [key, font] : fonts_)
        DeleteObject(font);
    for (const auto& [key, brush] : brushes_)
        DeleteObject(brush);
    for (const auto& [key, pen] : pens_)
        DeleteObject(pen);
}

LOGFONTA GdiResources::fontDescription(FontFace face, bool bold) const {
    LOGFONTA description{};
    if (face == FontFace::SansSerif) {
        description.lfHeight = -MulDiv(kSansSerifHundredthsOfAPoint, dpi_, 72 * 100);
        description.lfCharSet = DEFAULT_CHARSET;
        std::strcpy(description.lfFaceName, "MS Sans Serif");
    } else {
        // The system's message font, at this window's resolution.
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = sizeof(metrics);
        SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
        description = metrics.lfMessageFont;
        description.lfHeight = MulDiv(description.lfHeight, dpi_, screenDpi());
    }
    description.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    return description;
}

HFONT GdiResources::font(FontFace face, bool bold) {
    HFONT& font = fonts_[{face, bold}];
    if (!font) {
        const LOGFONTA description = fontDescription(face, bold);
        font = CreateFontIndirectA(&description);
    }
    return font;
}

HBRUSH GdiResources::brush(COLORREF colour) {
    HBRUSH& brush = brushes_[colour];
    if (!brush)
        brush = CreateSolidBrush(colour);
    return brush;
}

HPEN GdiResources::pen(COLORREF colour, int width) {
    HPEN& pen = pens_[{colour, width}];
    if (!pen) {
        const LOGBRUSH solid{BS_SOLID, colour, 0};
        pen = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, static_cast<DWORD>(width),
                           &solid, 0, nullptr);
    }
    return pen;
}

} // namespace marlwick
