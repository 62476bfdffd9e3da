// Raised when a value cannot be written to an INI file (the settings file or a language file).
#pragma once

#include "Exception.h"

class IniWriteError : public Exception
{
public:
    explicit IniWriteError(const std::string& fileName)
        : Exception("Unable to write to " + fileName)
    { }
};
