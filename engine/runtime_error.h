#pragma once
// The one error type of the program: a runtime fault with the text the user sees.

#include <stdexcept>
#include <string>

namespace quarnis {

enum class ErrorKind {
    ZeroDivide, // "Floating point division by zero": 1/0, LN(0)
    Invalid, // "Invalid floating point operation": SQRT(-1), 0/0, inf-inf
    Overflow, // "Floating point overflow": EXP(12000), 1E4950, rounding 1E4931 to 2 decimals
    Conversion, // "'abc' is not a valid floating point value" (graph window fields)
    Evaluation, // engine-internal: an empty text handed to a pass, '*5'; never leaves Evaluate
};

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(ErrorKind kind, const std::string& text)
        : std::runtime_error(text)
        , kind_(kind)
    {
    }
    ErrorKind kind() const noexcept { return kind_; }

private:
    ErrorKind kind_;
};

// The runtime's texts of the three floating-point faults.
inline constexpr const char* kZeroDivideText = "Floating point division by zero";
inline constexpr const char* kInvalidText = "Invalid floating point operation";
inline constexpr const char* kOverflowText = "Floating point overflow";

[[noreturn]] void raise(ErrorKind kind);

} // namespace quarnis
