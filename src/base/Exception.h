// The root of every failure the program raises. A failure carries the exact text the user sees;
// one error report in the application turns it into a message box.
#pragma once

#include <stdexcept>
#include <string>

class Exception : public std::runtime_error
{
public:
    explicit Exception(const std::string& message)
        : std::runtime_error(message)
    { }

    std::string message() const { return what(); }
};

// A feature that cannot be had on this system (a library, data, a voice or a device is missing):
// the text says why, in the user's words, and what to install. The feature stays off; the rest of
// the program goes on.
class FeatureUnavailable : public Exception
{
public:
    using Exception::Exception;
};

// Ends a command without a report: the error report stays silent for it.
class AbortException : public Exception
{
public:
    AbortException()
        : Exception("Operation aborted")
    { }
};
