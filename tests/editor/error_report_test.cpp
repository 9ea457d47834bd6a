#include "editor/operations/error_report.h"
#include "services/service_error.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace marlwick {
namespace {

TEST(ErrorReport, NamesNumberSourceAndDescriptionOfAServiceError) {
    const ServiceError error(5, "cSysRegistry:GetRegistryValue", "Zugriff verweigert");
    EXPECT_EQ(errorReportText(error),
              "Fehler 5\nQuelle: cSysRegistry:GetRegistryValue\n\nZugriff verweigert");
}

TEST(ErrorReport, ShowsTheTextOfAnyOtherError) {
    EXPECT_EQ(errorReportText(std::out_of_range("no control with this index")),
              "no control with this index");
}

} // namespace
} // namespace marlwick
