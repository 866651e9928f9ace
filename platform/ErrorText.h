// The text of the error box that reports a fault escaping the launch sequence. Kept apart
// from the box itself so that it builds and is tested on any platform.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

constexpr std::size_t kErrorTextCapacity = 1024;
// The module named in the box is the executable's file name, cut to this many characters.
constexpr std::size_t kModuleNameLimit = 63;

constexpr std::size_t kExceptionMessageCapacity = 128;

// Gives the class name under which the error box reports a structured exception, and writes
// its message. `information` holds the exception record's parameters (for an access
// violation: what was tried and at which address).
const char* DescribeException(std::uint32_t code, const std::uintptr_t* information,
                              std::uint32_t informationCount,
                              char (&message)[kExceptionMessageCapacity]);

// Fills `text` with "Exception <className> in module <file name of modulePath> at
// <address>.\n<message>" and a final "." when the message is not empty and lacks one.
// Always NUL-terminates; cuts what does not fit.
void FormatErrorText(char (&text)[kErrorTextCapacity], const char* className,
                     const char* modulePath, std::uintptr_t address, const char* message);

}  // namespace platform
