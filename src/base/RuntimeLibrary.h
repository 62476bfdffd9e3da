// Libraries the program loads when a feature first needs them rather than at start-up: each is
// opened by its file name with dlopen and its calls (or variables) are looked up by name.
#pragma once

#include <dlfcn.h>

// Points symbol at the library's entry of that name; false when the library has none.
template <typename Symbol> bool bindSymbol(void* library, const char* name, Symbol& symbol)
{
    symbol = reinterpret_cast<Symbol>(dlsym(library, name));
    return symbol != nullptr;
}
