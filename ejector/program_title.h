// The title of the tray window and the caption of the settings sheet, which name the product
// version.
#pragma once

#include "program_versions.h"

namespace vandrel {

inline constexpr char kProgramTitle[] = "Vandrel " VANDRL_PRODUCT_VERSION_TEXT;

} // namespace vandrel
