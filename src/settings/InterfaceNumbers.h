// Numbers as the interface shows them: one digit style for every count, time, progress and size.
// The Marathi interface writes Devanagari digits unless the settings file asks for ASCII digits
// ([Marathi] AsciiDigits=1); every other interface writes ASCII digits. Read again whenever the
// interface language or the settings file changes.
#pragma once

#include <QLocale>
#include <QString>

namespace InterfaceNumbers {

bool devanagariDigits();
// The text with its ASCII digits in the interface's digits.
QString digits(QString text);
QString number(qlonglong value);
// A locale whose digits are the interface's, for widgets that write numbers themselves (spin
// boxes, progress bars).
QLocale locale();

} // namespace InterfaceNumbers
