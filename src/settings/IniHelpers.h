// The six settings helpers: each opens the given INI file for exactly one value and lets it go
// again, so every read sees the file as it is now (unless a read pass holds it) and every write
// has reached the file on return. Texts are 8-bit strings in the locale's encoding.
#pragma once

#include "IniInteger.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class IniFile;

// While one lives, the helpers' reads of its file on this thread all come from one reading of the
// file: for a pass of many reads (loading the settings) that need not see what other programs
// change meanwhile. A write through the helpers is seen by the reads after it. Passes nest, and
// a pass inside one over the same file reads nothing more.
class IniReadPass
{
public:
    explicit IniReadPass(const std::string& fileName);
    ~IniReadPass();
    IniReadPass(const IniReadPass&) = delete;
    IniReadPass& operator=(const IniReadPass&) = delete;

    // Why the file could not be read, as an errno value; 0 when it was read or is missing.
    int readError() const;

private:
    friend struct IniPasses;

    std::string m_fileName;
    // None when an outer pass holds the same file.
    std::unique_ptr<IniFile> m_file;
    IniReadPass* m_outer;
};

// The pass over the file, if any, reads it again at its next read: for a write made elsewhere.
void iniForgetHeldContent(const std::string& fileName);

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
