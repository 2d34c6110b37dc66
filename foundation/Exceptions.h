#pragma once
// The exception classes of the program. Every failure the user may see is an
// Exception (or a subclass) whose message is already in the user's language.
// Messages are UTF-8.

#include <stdexcept>
#include <string>

class QString;

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    explicit Exception(const char* message) : std::runtime_error(message) {}
    explicit Exception(const QString& message);
    const char* Message() const noexcept { return what(); }
    // The class name shown by the application-wide error handler.
    virtual const char* ClassName() const noexcept { return "Exception"; }
};

#define ZORBIT_DECLARE_EXCEPTION(Name, Base)                                   \
    class Name : public Base {                                                 \
    public:                                                                    \
        using Base::Base;                                                      \
        const char* ClassName() const noexcept override { return #Name; }     \
    }

// Streams: a read or write that could not transfer what was asked, a file that
// could not be opened or created. Where the system gave a reason, its error
// number (errno) travels with the exception; 0 when there is none.
class EStreamError : public Exception {
public:
    using Exception::Exception;
    EStreamError(const std::string& message, int errorNumber) : Exception(message), ErrorNumber(errorNumber) {}
    const char* ClassName() const noexcept override { return "EStreamError"; }
    int ErrorNumber = 0;
};
ZORBIT_DECLARE_EXCEPTION(EReadError, EStreamError);
ZORBIT_DECLARE_EXCEPTION(EWriteError, EStreamError);
ZORBIT_DECLARE_EXCEPTION(EFOpenError, EStreamError);
ZORBIT_DECLARE_EXCEPTION(EFCreateError, EStreamError);
// A text that does not convert to the number or value asked for.
ZORBIT_DECLARE_EXCEPTION(EConvertError, Exception);
// A user entry that a validating edit refuses; shown as a warning, not an error.
ZORBIT_DECLARE_EXCEPTION(EValidation, Exception);
