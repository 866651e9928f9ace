// Fills the error box's template by hand: the box is shown after a fault, so its text is
// built in fixed buffers without touching the heap or the C runtime's formatting.
#include "platform/ErrorText.h"

namespace platform {

namespace {

const char kTemplate[] = "Exception %s in module %s at %p.\n%s%s";

// Structured exception codes, as Windows numbers them.
constexpr std::uint32_t kAccessViolation = 0xC0000005;
constexpr std::uint32_t kInPageError = 0xC0000006;
constexpr std::uint32_t kIllegalInstruction = 0xC000001D;
constexpr std::uint32_t kArrayBoundsExceeded = 0xC000008C;
constexpr std::uint32_t kFloatDivideByZero = 0xC000008E;
constexpr std::uint32_t kFloatInvalidOperation = 0xC0000090;
constexpr std::uint32_t kFloatOverflow = 0xC0000091;
constexpr std::uint32_t kFloatUnderflow = 0xC0000093;
constexpr std::uint32_t kIntegerDivideByZero = 0xC0000094;
constexpr std::uint32_t kIntegerOverflow = 0xC0000095;
constexpr std::uint32_t kPrivilegedInstruction = 0xC0000096;
constexpr std::uint32_t kStackOverflow = 0xC00000FD;

struct ExceptionKind {
    std::uint32_t code;
    const char* className;
    const char* message;
};

const ExceptionKind kKinds[] = {
    {kIntegerDivideByZero, "DivideByZeroError", "Division by zero"},
    {kIntegerOverflow, "IntegerOverflowError", "Integer overflow"},
    {kArrayBoundsExceeded, "RangeError", "Array index out of bounds"},
    {kFloatDivideByZero, "FloatDivideByZeroError", "Floating point division by zero"},
    {kFloatOverflow, "FloatOverflowError", "Floating point overflow"},
    {kFloatUnderflow, "FloatUnderflowError", "Floating point underflow"},
    {kFloatInvalidOperation, "FloatInvalidOperationError", "Invalid floating point operation"},
    {kStackOverflow, "StackOverflowError", "Stack overflow"},
    {kIllegalInstruction, "IllegalInstructionError", "Illegal instruction"},
    {kPrivilegedInstruction, "PrivilegedInstructionError", "Privileged instruction"},
    {kInPageError, "InPageError", "The page could not be read in"},
};

// Appends to a NUL-terminated text in a fixed buffer, cutting what does not fit.
template <std::size_t N>
class TextBuilder {
public:
    explicit TextBuilder(char (&text)[N]) : text_(text) { text_[0] = '\0'; }

    void Append(char c) {
        if (length_ + 1 < N) {
            text_[length_++] = c;
            text_[length_] = '\0';
        }
    }
    void Append(const char* s, std::size_t limit = N) {
        for (std::size_t i = 0; i < limit && s[i] != '\0'; ++i) Append(s[i]);
    }
    // Eight upper-case hex digits, the way a 32-bit address is written.
    void AppendHex(std::uintptr_t value) {
        for (int shift = 28; shift >= 0; shift -= 4)
            Append("0123456789ABCDEF"[(value >> shift) & 0xF]);
    }

private:
    char (&text_)[N];
    std::size_t length_ = 0;
};

const char* FileName(const char* path) {
    const char* name = path;
    for (const char* c = path; *c != '\0'; ++c) {
        if (*c == '\\') name = c + 1;
    }
    return name;
}

bool NeedsFinalPeriod(const char* message) {
    if (message[0] == '\0') return false;
    const char* last = message;
    while (last[1] != '\0') ++last;
    return *last != '.';
}

}  // namespace

const char* DescribeException(std::uint32_t code, const std::uintptr_t* information,
                              std::uint32_t informationCount,
                              char (&message)[kExceptionMessageCapacity]) {
    TextBuilder builder(message);
    if (code == kAccessViolation) {
        builder.Append("Access violation");
        if (informationCount >= 2) {
            // The first parameter says what was tried: 0 read, 1 write, 8 execute.
            builder.Append(information[0] == 0   ? " reading address "
                           : information[0] == 8 ? " executing address "
                                                 : " writing address ");
            builder.AppendHex(information[1]);
        }
        return "AccessViolation";
    }
    for (const ExceptionKind& kind : kKinds) {
        if (kind.code == code) {
            builder.Append(kind.message);
            return kind.className;
        }
    }
    builder.Append("External exception ");
    builder.AppendHex(code);
    return "ExternalException";
}

void FormatErrorText(char (&text)[kErrorTextCapacity], const char* className,
                     const char* modulePath, std::uintptr_t address, const char* message) {
    const char* strings[] = {className, FileName(modulePath), message,
                             NeedsFinalPeriod(message) ? "." : ""};
    const std::size_t limits[] = {kErrorTextCapacity, kModuleNameLimit, kErrorTextCapacity,
                                  kErrorTextCapacity};
    std::size_t next = 0;
    TextBuilder builder(text);
    for (const char* c = kTemplate; *c != '\0'; ++c) {
        if (c[0] == '%' && c[1] == 's') {
            builder.Append(strings[next], limits[next]);
            ++next;
            ++c;
        } else if (c[0] == '%' && c[1] == 'p') {
            builder.AppendHex(address);
            ++c;
        } else {
            builder.Append(*c);
        }
    }
}

}  // namespace platform
