// A pane's document: the ordered item list over a style table, the operations that fill and read
// it, and its plain-text files. Knows nothing of widgets, so it is also what printing lays out.
#pragma once

#include "PaneItem.h"
#include "PaneStyles.h"

#include <QString>
#include <vector>

class PaneDocument
{
public:
    explicit PaneDocument(const PaneStyles& styles);

    const PaneStyles& styles() const { return *m_styles; }
    const std::vector<PaneItem>& items() const { return m_items; }
    int itemCount() const { return static_cast<int>(m_items.size()); }
    // Raises an Exception for an index out of range, as do the text accessors below.
    const PaneItem& item(int index) const;

    void clear();
    // Appends a text item that starts a paragraph; returns its index.
    int addTextItem(const QString& text, int styleNo, int paraNo, int tag);
    // Appends a tab item that continues the line.
    int addTabItem(int associatedStyle);
    // A text item of the style holding text in the style's stored form, flags clear.
    PaneItem makeTextItem(const QString& text, int styleNo) const;
    // Appends an item as it stands (flags and stored text already set).
    void append(PaneItem item);
    void reserve(int count) { m_items.reserve(static_cast<size_t>(count)); }

    void setItemText(int index, const QString& text);
    // The stored text as UTF-16; empty for a tab item.
    QString getItemText(int index) const;
    // The text as the pane shows it: a tab item gives one tab character.
    QString displayText(int index) const;

    // Plain text of the items first..last, the first cut from firstOffset on and the last before
    // lastOffset (offsets in UTF-16 units of displayText); CR LF before each later item that
    // starts a line.
    QString plainText(int first, int firstOffset, int last, int lastOffset) const;

    // Appends a text file's lines; false (and nothing changed) when it cannot be read. A byte
    // order mark selects UTF-8, UTF-16LE or UTF-16BE; without one the style's code page applies.
    // With oneParagraph the loaded lines after the first are line breaks in one paragraph.
    bool loadTextFile(const QString& fileName, int styleNo, int paraNo, bool oneParagraph);
    // The parts of loadTextFile, for a caller that reads the file itself: the text of a file's
    // bytes (byte order mark or the style's code page), then its lines appended as loadTextFile
    // appends them (U+0000 shown as "?"), in a document of their own that is then appended here.
    // Where the code page is UTF-8, bytes that are no UTF-8 are read as Windows-1252 instead of
    // losing their letters; windows1252 then tells so.
    QString decodeFileText(const QByteArray& bytes, int styleNo, bool* windows1252 = nullptr) const;
    // The whole document in Windows-1252, CR LF between lines; false when a character does not
    // fit or the file cannot be written.
    bool saveWindows1252TextFile(const QString& fileName) const;
    void appendFileText(QString text, int styleNo, int paraNo, bool oneParagraph);
    void appendDocument(PaneDocument&& other);
    // The whole document as UTF-16LE with FF FE, CR LF between lines; an empty document gives an
    // empty file. False when the file cannot be written.
    bool saveTextFile(const QString& fileName, int lineWidth) const;
    // The whole document as UTF-8 without a byte order mark, LF between lines, as Linux programs
    // write text; an empty document gives an empty file. False when the file cannot be written.
    bool saveUtf8TextFile(const QString& fileName) const;

private:
    QString textOf(const PaneItem& item) const;
    // Every item's text, CR LF between lines.
    QString wholeText() const;
    void appendLoadedText(const QString& text, int styleNo, int paraNo, bool oneParagraph);

    const PaneStyles* m_styles;
    std::vector<PaneItem> m_items;
};
