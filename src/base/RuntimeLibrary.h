// Libraries the program loads when a feature first needs them rather than at start-up: each is
// opened by its file name with dlopen, stays for the rest of the run, and has its calls (or
// variables) looked up by name.
#pragma once

#include <dlfcn.h>
#include <string>

class RuntimeLibrary
{
public:
    explicit RuntimeLibrary(const char* fileName)
        : m_handle(dlopen(fileName, RTLD_NOW | RTLD_LOCAL))
        , m_complete(m_handle != nullptr)
    {
        noteError();
    }

    // Points symbol at the library's entry of that name; a missing one leaves it null and the
    // library incomplete.
    template <typename Symbol> void bind(const char* name, Symbol& symbol)
    {
        symbol = m_handle ? reinterpret_cast<Symbol>(dlsym(m_handle, name)) : nullptr;
        if (!symbol) {
            noteError();
        }
        m_complete = m_complete && symbol != nullptr;
    }

    // Loaded, and every entry asked for was found.
    bool complete() const { return m_complete; }
    // The loader's words for the first thing that failed; empty while nothing has.
    const std::string& error() const { return m_error; }

private:
    void noteError()
    {
        const char* error = dlerror();
        if (error && m_error.empty()) {
            m_error = error;
        }
    }

    void* m_handle;
    bool m_complete;
    std::string m_error;
};
