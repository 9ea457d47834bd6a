// What the standard controls would not draw: buttons and labels in their own background
// colour, and the grid lines, which lie over the labels.
#pragma once

#include "editor/form/form_controls.h"
#include "editor/win32/gdi_resources.h"

#include <windows.h>

namespace marlwick {

// The grid lines into a device context whose (0, 0) stands at the given point of the
// window's client area.
void drawGridLines(HDC dc, GdiResources& gdi, int dpi, POINT origin);

void drawButton(const DRAWITEMSTRUCT& item, const Control& shown, GdiResources& gdi);

// A label's background and caption, then the lines that cross it.
void drawLabel(const DRAWITEMSTRUCT& item, const Control& shown, GdiResources& gdi, int dpi);

} // namespace marlwick
