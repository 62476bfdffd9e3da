// The six settings helpers: each opens the given INI file for exactly one value and lets it go
// again, so every read sees the file as it is now and every write has reached the file on return.
// Texts are 8-bit strings in the locale's encoding.
#pragma once

#include "IniInteger.h"

#include <cstdint>
#include <string>
#include <string_view>

// Numbers are read by parseIniInteger. Missing file, section or key, or a value that is not a
// number, reads as false / 0 / empty.
bool iniReadBool(const std::string& fileName, std::string_view section, std::string_view key);
std::int32_t iniReadInteger(
    const std::string& fileName, std::string_view section, std::string_view key);
std::string iniReadString(
    const std::string& fileName, std::string_view section, std::string_view key);

// Booleans are written as "1" or "0", integers in decimal. A failed write raises IniWriteError
// ("Unable to write to " + fileName); values written before it stay in the file.
void iniWriteBool(
    const std::string& fileName, std::string_view section, std::string_view key, bool value);
void iniWriteInteger(const std::string& fileName, std::string_view section, std::string_view key,
    std::int32_t value);
void iniWriteString(const std::string& fileName, std::string_view section, std::string_view key,
    std::string_view value);

// text without the spaces and tabs around it: a number typed as "3128 " is the number 3128.
std::string trimBlanks(std::string_view text);
