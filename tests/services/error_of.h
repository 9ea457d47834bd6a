// The error an operation raises, for tests that look at its Number, Source and Description.
#pragma once

#include "services/service_error.h"

#include <gtest/gtest.h>

#include <functional>

namespace marlwick {

inline ServiceError errorOf(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const ServiceError& error) {
        return error;
    }
    ADD_FAILURE() << "no error raised";
    return ServiceError(0, "", "");
}

} // namespace marlwick
