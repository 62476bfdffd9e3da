// Raised when a value cannot be written to an INI file (the settings file or a language file).
#pragma once

#include "Exception.h"

#include <string>
#include <utility>

class IniWriteError : public Exception
{
public:
    // reason: why the write failed, in words ("Permission denied"); not part of the message.
    explicit IniWriteError(const std::string& fileName, std::string reason = {})
        : Exception("Unable to write to " + fileName)
        , m_fileName(fileName)
        , m_reason(std::move(reason))
    { }

    const std::string& fileName() const { return m_fileName; }
    const std::string& reason() const { return m_reason; }

private:
    std::string m_fileName;
    std::string m_reason;
};
