// The toolkit's exception hierarchy. Every text is the one the user sees in the
// error box of the application's general error handler (Windows-1252).
#pragma once

#include <stdexcept>
#include <string>

namespace ui {

// Base of every error the toolkit and the libraries raise on purpose.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

// Registry failures: writing a value, creating a key, reading an unusable type.
class ERegistryError : public Exception {
public:
    using Exception::Exception;
    static ERegistryError writeFailed(const std::string& valueName);
    static ERegistryError keyCreateFailed(const std::string& keyPath);
    static ERegistryError invalidDataType(const std::string& valueName);
};

// A text that should have been an integer.
class EConvertError : public Exception {
public:
    using Exception::Exception;
    static EConvertError notAnInteger(const std::string& text);
};

// A property set on a component kind that does not have it (a caption on an edit).
class EPropertyError : public Exception {
public:
    using Exception::Exception;
    static EPropertyError missingProperty(const std::string& property);
};

// A file that could not be created for writing.
class EFileCreateError : public Exception {
public:
    using Exception::Exception;
    static EFileCreateError cannotCreate(const std::string& path);
};

// Ends an action silently: the user chose to stop it, so there is nothing to report.
// The application's error handler shows no box for it.
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
};

// A failed operating-system call, carrying the system's own error text.
class EOSError : public Exception {
public:
    EOSError(unsigned long code, const std::string& message) : Exception(message), code_(code) {}
    static EOSError fromLastError();
    static EOSError fromCode(unsigned long code);
    unsigned long code() const { return code_; }

private:
    unsigned long code_;
};

}  // namespace ui
