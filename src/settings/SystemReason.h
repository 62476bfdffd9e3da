// Why the system refused a file operation, in the interface language. The common reasons (no such
// file, no permission, a read-only disk, a full disk, a busy file, a file too large) get a sentence
// of the program's own from the message table; the system's own words follow in brackets, so a
// report still names the exact cause.
#pragma once

#include <QString>

// errorNumber is an errno; 0 gives an empty text.
QString systemReasonText(int errorNumber);
