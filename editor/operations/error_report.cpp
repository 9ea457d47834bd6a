#include "editor/operations/error_report.h"

#include "services/service_error.h"

namespace marlwick {

std::string errorReportText(const std::exception& error) {
    const auto* service = dynamic_cast<const ServiceError*>(&error);
    if (!service)
        return error.what();
    return "Fehler " + std::to_string(service->number) + "\nQuelle: " + service->source + "\n\n" +
           service->description;
}

} // namespace marlwick
