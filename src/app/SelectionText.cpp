// Reading the selection or the clipboard.
#include "SelectionText.h"

#include "ClipboardText.h"
#include "PaneText.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

// UTF-8 takes at most three bytes for a character of the panes (a UTF-16 unit).
constexpr qsizetype MaxBytesPerCharacter = 3;

SelectionRead throughQt(QClipboard::Mode mode, qsizetype maxCharacters)
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData(mode);
    if (!data) {
        return {};
    }
    if (data->hasUrls()) {
        return {SelectionRead::Outcome::Files, {}};
    }
    if (data->hasText()) {
        const QString text = data->text();
        return text.size() > maxCharacters ? SelectionRead {SelectionRead::Outcome::TooLarge, {}}
                                           : SelectionRead {SelectionRead::Outcome::Text, text};
    }
    if (data->hasImage()) {
        return {SelectionRead::Outcome::Image, {}};
    }
    return {};
}

SelectionRead readOne(QClipboard::Mode mode, qsizetype maxCharacters)
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const bool ours
        = mode == QClipboard::Selection ? clipboard->ownsSelection() : clipboard->ownsClipboard();
    // Qt answers for our own selection only once we return to its event loop.
    if (QGuiApplication::platformName() == QLatin1String("xcb") && !ours) {
        const SelectionRead read
            = X11Selection::read(mode == QClipboard::Selection ? X11Selection::Which::Primary
                                                               : X11Selection::Which::Clipboard,
                maxCharacters * MaxBytesPerCharacter);
        if (read.outcome != SelectionRead::Outcome::Unavailable) {
            return read;
        }
    }
    if (mode == QClipboard::Selection && !clipboard->supportsSelection()) {
        return {};
    }
    return throughQt(mode, maxCharacters);
}

} // namespace

SelectionRead SelectionText::read(SelectionSource source, qsizetype maxCharacters)
{
    SelectionRead read;
    if (source == SelectionSource::SelectionThenClipboard) {
        read = readOne(QClipboard::Selection, maxCharacters);
    }
    if (read.outcome == SelectionRead::Outcome::Empty
        || (read.outcome == SelectionRead::Outcome::Text
            && trimSpaceAndControl(read.text).isEmpty())) {
        read = readOne(QClipboard::Clipboard, maxCharacters);
    }
    if (read.outcome == SelectionRead::Outcome::Text) {
        read.text = trimSpaceAndControl(ClipboardText::toPaneLineEnds(read.text));
        if (read.text.size() > maxCharacters) {
            return {SelectionRead::Outcome::TooLarge, {}};
        }
        if (read.text.isEmpty()) {
            return {SelectionRead::Outcome::Empty, {}};
        }
    }
    return read;
}
