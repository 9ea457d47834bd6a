// Fonts, brushes and pens of the main window at one resolution.
#pragma once

#include "editor/form/form_controls.h"

#include <windows.h>

#include <map>
#include <utility>

namespace marlwick {

COLORREF colourRef(const Colour& colour);

// The screen's pixels per inch.
int screenDpi();

// Made on first use, freed with the object.
class GdiResources {
  public:
    explicit GdiResources(int dpi) : dpi_(dpi) {}
    ~GdiResources();
    GdiResources(const GdiResources&) = delete;
    GdiResources& operator=(const GdiResources&) = delete;

    HFONT font(FontFace face, bool bold);
    HBRUSH brush(COLORREF colour);
    // A solid pen with flat ends, so that lines end where the layout says.
    HPEN pen(COLORREF colour, int width);

  private:
    LOGFONTA fontDescription(FontFace face, bool bold) const;

    int dpi_;
    std::map<std::pair<FontFace, bool>, HFONT> fonts_;
    std::map<COLORREF, HBRUSH> brushes_;
    std::map<std::pair<COLORREF, int>, HPEN> pens_;
};

} // namespace marlwick
