// The single-line filter of the Options dialog's edits.
#include "SingleLineValidator.h"

namespace {

bool isLineBreak(QChar c)
{
    return c == u'\r' || c == u'\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

} // namespace

QString SingleLineValidator::withoutLineBreaks(const QString& text)
{
    QString result = text;
    result.removeIf(isLineBreak);
    return result;
}

QValidator::State SingleLineValidator::validate(QString& input, int& position) const
{
    // The cursor keeps its place among the characters that stay.
    int removedBeforeCursor = 0;
    for (int i = 0; i < position && i < input.size(); ++i) {
        removedBeforeCursor += isLineBreak(input[i]) ? 1 : 0;
    }
    input = withoutLineBreaks(input);
    position -= removedBeforeCursor;
    return Acceptable;
}
