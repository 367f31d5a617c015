#pragma once
// The one base of every error the program raises, and the small classes that stand in for
// the run-time library's own errors. Each carries only its message; the texts of the library
// errors are the ones users and tools see ("Stream read error", "Invalid property value").

#include <stdexcept>
#include <string>

namespace lumarc {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

#define LUMARC_DECLARE_ERROR(Name, Base)                                   \
    class Name : public Base {                                             \
    public:                                                                \
        explicit Name(const std::string& message) : Base(message) {}       \
    }

LUMARC_DECLARE_ERROR(EStreamError, Exception);
LUMARC_DECLARE_ERROR(EReadError, EStreamError);      // "Stream read error"
LUMARC_DECLARE_ERROR(EWriteError, EStreamError);     // "Stream write error"
LUMARC_DECLARE_ERROR(EFOpenError, EStreamError);     // a file that cannot be opened
LUMARC_DECLARE_ERROR(EFCreateError, EStreamError);   // a file that cannot be created
LUMARC_DECLARE_ERROR(EPropertyError, Exception);     // "Invalid property value"
LUMARC_DECLARE_ERROR(EListError, Exception);         // "List index out of bounds (%d)"
LUMARC_DECLARE_ERROR(ERangeError, Exception);        // "Range check error"
LUMARC_DECLARE_ERROR(EConvertError, Exception);      // "'%s' is not a valid date"
LUMARC_DECLARE_ERROR(EInvalidCast, Exception);       // "Invalid class typecast"
LUMARC_DECLARE_ERROR(EAbstractError, Exception);     // "Abstract Error"
LUMARC_DECLARE_ERROR(EInOutError, Exception);        // input/output errors of file routines

inline const char* const SReadError = "Stream read error";
inline const char* const SWriteError = "Stream write error";
inline const char* const SInvalidProperty = "Invalid property value";
inline const char* const SRangeError = "Range check error";
inline const char* const SInvalidCast = "Invalid class typecast";
inline const char* const SAbstractError = "Abstract Error";

std::string ListIndexError(long long index);   // "List index out of bounds (5)"
// The run-time library's text for an input/output error, from an errno value: "File not
// found", "File access denied", "Too many open files", "Disk full", else "I/O error 5".
std::string InOutErrorMessage(int error);

}  // namespace lumarc
