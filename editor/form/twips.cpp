#include "editor/form/twips.h"

#include <cstdlib>

namespace marlwick {

int twipsToPixels(int twips, int pixelsPerInch) {
    const long long scaled = static_cast<long long>(twips) * pixelsPerInch;
    const long long half = kTwipsPerInch / 2;
    const long long rounded = (std::llabs(scaled) + half) / kTwipsPerInch;
    return static_cast<int>(scaled < 0 ? -rounded : rounded);
}

PixelRect toPixels(const TwipsRect& rect, int pixelsPerInch) {
    const int left = twipsToPixels(rect.left, pixelsPerInch);
    const int top = twipsToPixels(rect.top, pixelsPerInch);
    const int right = twipsToPixels(rect.left + rect.width, pixelsPerInch);
    const int bottom = twipsToPixels(rect.top + rect.height, pixelsPerInch);
    return {left, top, right - left, bottom - top};
}

} // namespace marlwick
