// One remembered translation.
#pragma once

#include <cstdint>
#include <string>

struct HistoryEntry
{
    std::int64_t id = 0;
    std::u16string source;
    std::u16string translation;
    // Language codes of the direction, as the service knows them ("en", "mr").
    std::string sourceCode;
    std::string targetCode;
    // When the entry was last translated or re-used, in milliseconds since 1970 (UTC).
    std::int64_t usedAt = 0;
    // How often it was translated or re-used.
    std::int64_t useCount = 0;
};
