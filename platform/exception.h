// Errors that the readers, builders and parsers raise. Every failure carries its
// user-facing message; callers that must go on catch and show it.
#pragma once

#include <cstdarg>
#include <stdexcept>
#include <string>

namespace kvx {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

// printf-style formatting for the messages, which are written with %s and %d.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string FormatV(const char* format, va_list args);

}  // namespace kvx
