// Keeps a line edit to one line: line breaks typed or pasted into it are dropped, so a value copied
// with its trailing newline (a password, an address) arrives as the line it is.
#pragma once

#include <QValidator>

class SingleLineValidator : public QValidator
{
    Q_OBJECT

public:
    using QValidator::QValidator;

    State validate(QString& input, int& position) const override;

    // text without its line breaks (CR, LF, and the Unicode line and paragraph separators).
    static QString withoutLineBreaks(const QString& text);
};
