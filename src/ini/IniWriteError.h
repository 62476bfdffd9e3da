// Raised when a value cannot be written to an INI file (the settings file or a language file).
#pragma once

#include "Exception.h"

#include <cstring>
#include <string>

class IniWriteError : public Exception
{
public:
    // errorNumber: the system's errno for the failed write, 0 when there is none; not part of the
    // message.
    explicit IniWriteError(const std::string& fileName, int errorNumber = 0)
        : Exception("Unable to write to " + fileName)
        , m_fileName(fileName)
        , m_errorNumber(errorNumber)
    { }

    const std::string& fileName() const { return m_fileName; }
    int errorNumber() const { return m_errorNumber; }
    // Why the write failed in the system's words ("Permission denied"); empty without an errno.
    std::string reason() const { return m_errorNumber != 0 ? std::strerror(m_errorNumber) : ""; }

private:
    std::string m_fileName;
    int m_errorNumber;
};
