// The history as comma-separated values for spreadsheets: UTF-8, a header line, CR LF line ends,
// and fields quoted as RFC 4180 asks.
#pragma once

#include "HistoryEntry.h"

#include <string>
#include <vector>

namespace HistoryCsv {

// One line per entry in the order given: time (UTC, ISO 8601), source and target code, text,
// translation, use count.
std::string write(const std::vector<HistoryEntry>& entries);

} // namespace HistoryCsv
