// Raised when a settings value cannot be written to the settings file.
#pragma once

#include "Exception.h"

class SettingsWriteError : public Exception
{
public:
    explicit SettingsWriteError(const std::string& fileName)
        : Exception("Unable to write to " + fileName)
    { }
};
