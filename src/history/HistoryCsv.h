// The history as comma-separated values for spreadsheets: UTF-8, a header line, CR LF line ends,
// and fields quoted as RFC 4180 asks.
#pragma once

#include "HistoryEntry.h"

#include <string>
#include <vector>

namespace HistoryCsv {

// What becomes of a text that a spreadsheet would run as a formula: one that starts with "=",
// "+", "-", "@", a tab or a CR.
enum class Formulas
{
    Defused, // written with a leading "'", which spreadsheets take as "this is text"
    Exact, // written exactly as recorded, for programs that read the file as data
};

// One line per entry in the order given: time (UTC, ISO 8601), source and target code, text,
// translation, use count.
std::string write(const std::vector<HistoryEntry>& entries, Formulas formulas = Formulas::Defused);

} // namespace HistoryCsv
