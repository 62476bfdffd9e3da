// Writes a pane document as an HTML page.
#pragma once

#include "PaneDocument.h"

#include <QByteArray>
#include <QColor>
#include <QMargins>
#include <QString>

// Bits of the save options of an HTML page.
namespace HtmlOptions {
constexpr quint16 OnlyHead = 0x0002;
constexpr quint16 OnlyBody = 0x0004;
constexpr quint16 OnlyClosing = 0x0008;
constexpr quint16 NoDefaultFont = 0x0010;
constexpr quint16 Xhtml = 0x2000;
constexpr quint16 Utf8 = 0x4000;
} // namespace HtmlOptions

class PaneHtmlWriter
{
public:
    // background: the pane's colour, already resolved; margins in pixels.
    PaneHtmlWriter(const PaneDocument& document, const QColor& background, const QMargins& margins);

    QByteArray page(const QString& title, quint16 options) const;

private:
    const PaneDocument& m_document;
    QColor m_background;
    QMargins m_margins;
};
