// The settings helpers over IniFile.
#include "IniHelpers.h"

#include "IniFile.h"
#include "IniInteger.h"
#include "IniWriteError.h"

std::string iniReadString(
    const std::string& fileName, std::string_view section, std::string_view key)
{
    return IniFile(fileName).readString(section, key, "");
}

std::int32_t iniReadInteger(
    const std::string& fileName, std::string_view section, std::string_view key)
{
    return parseIniInteger(iniReadString(fileName, section, key)).value_or(0);
}

bool iniReadBool(const std::string& fileName, std::string_view section, std::string_view key)
{
    return iniReadInteger(fileName, section, key) != 0;
}

void iniWriteString(const std::string& fileName, std::string_view section, std::string_view key,
    std::string_view value)
{
    IniFile file(fileName);
    if (!file.writeString(section, key, value)) {
        throw IniWriteError(fileName, file.lastError());
    }
}

void iniWriteInteger(
    const std::string& fileName, std::string_view section, std::string_view key, std::int32_t value)
{
    iniWriteString(fileName, section, key, std::to_string(value));
}

void iniWriteBool(
    const std::string& fileName, std::string_view section, std::string_view key, bool value)
{
    iniWriteString(fileName, section, key, value ? "1" : "0");
}

std::string trimBlanks(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}
