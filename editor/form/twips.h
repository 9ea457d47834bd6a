// Twips (1/1440 inch) to screen pixels at a given number of pixels per inch.
#pragma once

#include "editor/form/form_controls.h"

namespace marlwick {

inline constexpr int kTwipsPerInch = 1440;

struct PixelRect {
    int left;
    int top;
    int width;
    int height;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Rounded to the nearest pixel, halves away from zero.
int twipsToPixels(int twips, int pixelsPerInch);

// Both edges are converted, so that neighbouring cells stay flush at any resolution.
PixelRect toPixels(const TwipsRect& rect, int pixelsPerInch);

} // namespace marlwick
