// A rich-text pane: a text editing widget whose content is a PaneDocument. The document is the
// pane's model; the widget shows it after format() and reformat(), and whatever the user types is
// read back into items before any operation looks at them.
#pragma once

#include "PaneDocument.h"

#include <QPlainTextEdit>
#include <QString>
#include <vector>

class Pane : public QPlainTextEdit
{
    Q_OBJECT

public:
    Pane(PaneStyles& styles, int tag, QWidget* parent = nullptr);

    PaneStyles& styles() const { return m_styles; }
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }
    // The model, brought up to date with the user's edits first.
    const PaneDocument& model() const;

    // Removes every item and the selection; the widget shows the change after format().
    void clear();
    // Shows the document anew from its start.
    void format();
    // Shows the document anew (new fonts included) keeping the first visible line at the top.
    void reformat();
    // Each change of the model shown by format() or reformat() is one step of the pane's undo
    // history (Ctrl+Z, Ctrl+Shift+Z), in the read-only pane too. After this call, the text shown
    // is provisional: the next change joins its step, so undoing that change goes back to what
    // the pane held before.
    void markProvisional() { m_provisional = true; }
    // The pane's last line is a notice of the program's (the wait line, a failure's report), not
    // text of its own: views of the text such as the romanisation line leave it out. A text that
    // no longer ends with it has none; an empty line clears it.
    void setNotice(const QString& line) { m_notice = line; }
    const QString& notice() const { return m_notice; }
    int addTextItem(const QString& text, int styleNo, int paraNo, int tag);
    // Makes room for count more items, for a caller about to add many.
    void reserveItems(int count);
    void setItemText(int index, const QString& text);
    QString getItemText(int index) const;
    int itemCount() const;
    // The selection as plain text, CR LF between lines; empty without a selection.
    QString getSelectedText() const;

    bool loadTextFile(const QString& fileName, int styleNo, int paraNo, bool oneParagraph);
    // Appends the items of a document loaded aside; the widget shows them after format().
    void appendDocument(PaneDocument&& loaded);
    bool saveTextFile(const QString& fileName, int lineWidth) const;
    bool saveHtmlFile(const QString& fileName, const QString& title, const QString& imagePrefix,
        quint16 options) const;

    // The page margins in pixels and the resolved background colour (the style table's).
    QMargins paneMargins() const;
    QColor backgroundColor() const;

    // Points added to the style's font size on screen only (files and printing keep the style's
    // size); the shown size stays within these bounds.
    static constexpr int MinShownPoints = 4;
    static constexpr int MaxShownPoints = 96;
    int zoomPoints() const { return m_zoomPoints; }
    void setZoomPoints(int points);

    // Characters that end a word for double-click selection and word-wise cursor movement.
    void setWordDelimiters(const QString& delimiters) { m_wordDelimiters = delimiters; }
    const QString& wordDelimiters() const { return m_wordDelimiters; }

signals:
    // The user asked for a context menu at pos (the viewport's coordinates). The pane shows no
    // menu of its own while this signal is connected.
    void contextPopup(const QPoint& pos);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void syncFromWidget() const;
    void render();
    void applyStyleFonts();
    void showHeldBackFont();
    // Document position of an item's first character in the shown text, -1 if not shown.
    std::pair<int, int> itemAt(int position) const;
    int wordStart(int position) const;
    int wordEnd(int position) const;
    bool isDelimiter(QChar c) const;

    PaneStyles& m_styles;
    int m_tag;
    QString m_wordDelimiters;
    QString m_notice;
    mutable PaneDocument m_document;
    // Start positions of the items in the widget's text, valid while the widget shows the model.
    mutable std::vector<int> m_itemStarts;
    // The user changed the widget's text since the model was last read from or shown in it.
    mutable bool m_widgetEdited = false;
    // The model changed since it was last shown.
    bool m_modelChanged = false;
    bool m_rendering = false;
    bool m_provisional = false;
    int m_zoomPoints = 0;
    bool m_painted = false;
    // The widget's font has not been handed to the document yet.
    bool m_fontHeldBack = false;
};
