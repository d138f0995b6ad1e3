#pragma once
// The engine's error tiers. Every failure travels as one of these:
// - Error: a failure a caller may handle (a sound device that cannot start, a bad pack archive).
// - FileError: any failure to open, read or write a file; loaders of optional data catch it and go on.
// - FatalError: thrown only by MessageManager::LogFatalError; it ends the program with a message box.
// A handler for Error also catches the other two.

#include <string>

namespace VantoranEngine {

class Error {
public:
    explicit Error(std::string text) : message(std::move(text)) {}
    virtual ~Error();

    std::string message;
};

class FileError : public Error {
public:
    using Error::Error;
};

class FatalError : public Error {
public:
    using Error::Error;
};

} // namespace VantoranEngine
