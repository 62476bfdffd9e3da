// Helpers the pane tests share: temporary files and a compact picture of a document's items.
#pragma once

#include "PaneDocument.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// One item as "P:text" (paragraph start), "L:text" (line break), "C:text" (continues the line),
// with "<tab>" for a tab item and "!" before the letter for a page break.
inline QString describe(const PaneDocument& document)
{
    QStringList parts;
    for (int i = 0; i < document.itemCount(); ++i) {
        const PaneItem& item = document.item(i);
        const QString kind = item.continuesLine ? "C" : item.lineBreak ? "L" : "P";
        const QString text = item.isTab() ? QString("<tab>") : document.getItemText(i);
        parts << (item.pageBreak ? "!" : "") + kind + ":" + text;
    }
    return parts.join(" | ");
}

class TempFiles
{
public:
    QString path(const QString& name) const { return m_dir.filePath(name); }

    QString write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path(name);
    }

    static QByteArray read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QTemporaryDir m_dir;
};
