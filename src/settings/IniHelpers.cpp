// The settings helpers over IniFile.
#include "IniHelpers.h"

#include "IniFile.h"
#include "IniInteger.h"
#include "IniWriteError.h"

namespace {

thread_local IniReadPass* currentPass = nullptr;

} // namespace

struct IniPasses
{
    // The file of the innermost pass over fileName, if any.
    static IniFile* heldFile(const std::string& fileName)
    {
        for (IniReadPass* pass = currentPass; pass; pass = pass->m_outer) {
            if (pass->m_file && pass->m_file->path() == fileName) {
                return pass->m_file.get();
            }
        }
        return nullptr;
    }

    // The pass over the file reads it again at its next read.
    static void forget(const std::string& fileName)
    {
        if (IniFile* held = heldFile(fileName)) {
            held->releaseContent();
            held->holdContent();
        }
    }
};

IniReadPass::IniReadPass(const std::string& fileName)
    : m_fileName(fileName)
    , m_outer(currentPass)
{
    // Inside a pass over the same file, that pass's reading serves.
    if (!IniPasses::heldFile(fileName)) {
        m_file = std::make_unique<IniFile>(fileName);
        m_file->holdContent();
    }
    currentPass = this;
}

IniReadPass::~IniReadPass()
{
    currentPass = m_outer;
}

int IniReadPass::readError() const
{
    const IniFile* file = IniPasses::heldFile(m_fileName);
    file->readString("", "", "");
    return file->lastReadError();
}

void iniForgetHeldContent(const std::string& fileName)
{
    IniPasses::forget(fileName);
}

std::string iniReadString(
    const std::string& fileName, std::string_view section, std::string_view key)
{
    if (const IniFile* held = IniPasses::heldFile(fileName)) {
        return held->readString(section, key, "");
    }
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
    const bool written = file.writeString(section, key, value);
    IniPasses::forget(fileName);
    if (!written) {
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
