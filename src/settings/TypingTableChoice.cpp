// The typing table group of the Options dialog.
#include "TypingTableChoice.h"

#include "MarathiAidSettings.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <map>

namespace {

TypingTableChoice::TableLister& tableLister()
{
    static TypingTableChoice::TableLister lister;
    return lister;
}

// What a typist knows the tables as.
QString displayName(const std::string& table)
{
    static const std::map<std::string, QString> names {
        {"mr-itrans", QStringLiteral("ITRANS")},
        {"mr-phonetic", QStringLiteral("Phonetic")},
        {"mr-inscript", QStringLiteral("InScript")},
        {"mr-inscript2", QStringLiteral("Enhanced InScript")},
        {"mr-remington", QStringLiteral("Remington")},
        {"mr-typewriter", QStringLiteral("Typewriter")},
    };
    const auto known = names.find(table);
    const QString name = QString::fromStdString(table);
    return known == names.end() ? name : QStringLiteral("%1 (%2)").arg(known->second, name);
}

} // namespace

void TypingTableChoice::setTableLister(TableLister lister)
{
    tableLister() = std::move(lister);
}

TypingTableChoice::TypingTableChoice(QTabWidget* pages)
    : m_page(new QWidget(pages))
    , m_group(new QGroupBox(QStringLiteral("Romanised typing"), m_page))
    , m_label(new QLabel(QStringLiteral("Table for Latin keys :"), m_group))
    , m_tables(new QComboBox(m_group))
{
    m_page->setObjectName("tsTyping");
    pages->addTab(m_page, QStringLiteral("Typing"));
    m_group->setObjectName("rgTyping");
    m_group->setGeometry(10, 7, 407, 55);
    m_label->setObjectName("labTypingTable");
    m_label->setGeometry(12, 27, 187, 14);
    m_tables->setObjectName("cmbTypingTable");
    m_tables->setGeometry(213, 23, 176, 22);
    if (tableLister()) {
        for (const std::string& table : tableLister()()) {
            m_tables->addItem(displayName(table), QString::fromStdString(table));
        }
    }
    m_tables->setEnabled(m_tables->count() > 0);
}

void TypingTableChoice::showSettings()
{
    const int stored
        = m_tables->findData(QString::fromStdString(loadMarathiAidSettings().typingTable));
    if (stored >= 0) {
        m_tables->setCurrentIndex(stored);
    } else {
        selectDefault();
    }
}

void TypingTableChoice::selectDefault()
{
    m_tables->setCurrentIndex(m_tables->findData(QString::fromLatin1(DefaultTypingTable)));
}

void TypingTableChoice::saveSettings() const
{
    if (m_tables->currentIndex() >= 0) {
        saveTypingTable(m_tables->currentData().toString().toStdString());
    }
}
