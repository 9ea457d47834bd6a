// The one error type of the service classes: Number, Source and Description, and the rules by
// which an operation that passes an error on names itself in the Source.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <utility>

namespace marlwick {

class ServiceError : public std::exception {
  public:
    ServiceError(std::int32_t number, std::string source, std::string description)
        : number(number), source(std::move(source)), description(std::move(description)) {}

    const char* what() const noexcept override { return description.c_str(); }

    std::int32_t number;
    std::string source;
    std::string description;
};

// Runs operation; an error passing through gets source as its Source only while its Source
// names no operation yet (holds no ":"), so the innermost name survives.
template <typename Operation>
decltype(auto) passingErrorsOn(const char* source, Operation&& operation) {
    try {
        return std::forward<Operation>(operation)();
    } catch (ServiceError& error) {
        if (error.source.find(':') == std::string::npos)
            error.source = source;
        throw;
    }
}

// Runs operation; an error passing through always gets source as its Source.
template <typename Operation> decltype(auto) naming(const char* source, Operation&& operation) {
    try {
        return std::forward<Operation>(operation)();
    } catch (ServiceError& error) {
        error.source = source;
        throw;
    }
}

} // namespace marlwick
