// Exceptions of the class library. Each carries the name of its class, which the last-resort
// handler shows ("Exception EOutOfMemory"), and a message for the message dialog.
#pragma once

#include <exception>
#include <string>

class Exception : public std::exception {
public:
    Exception(const char* className, std::string message)
        : FClassName(className), FMessage(std::move(message)) {}
    const char* ClassName() const noexcept { return FClassName; }
    const std::string& Message() const noexcept { return FMessage; }
    const char* what() const noexcept override { return FMessage.c_str(); }

private:
    const char* FClassName;
    std::string FMessage;
};

// The silent refusal: it ends the handler that raised it without a message.
class EAbort : public Exception {
public:
    EAbort() : Exception("EAbort", "Operation aborted") {}
};

class EOutOfMemory : public Exception {
public:
    EOutOfMemory() : Exception("EOutOfMemory", "Out of memory") {}
};

class EStreamError : public Exception {
public:
    explicit EStreamError(std::string message) : Exception("EStreamError", std::move(message)) {}
};

// A stream or file that cannot be opened.
class EFOpenError : public Exception {
public:
    explicit EFOpenError(const std::string& fileName)
        : Exception("EFOpenError", "Cannot open file \"" + fileName + "\"") {}
};

// The class name to show for whatever was thrown, including the standard library's own.
const char* ExceptionClassName(const std::exception& e) noexcept;
