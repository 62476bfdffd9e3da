// The History window's controls and commands.
#include "HistoryWindow.h"

#include "ErrorReport.h"
#include "Exception.h"
#include "FileDialogs.h"
#include "FormLanguage.h"
#include "HistoryCsv.h"
#include "HistoryStore.h"
#include "InterfaceNumbers.h"
#include "MainWindowLayout.h"
#include "MessageBox.h"
#include "TranslationHistory.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// Longest piece of a text a row shows; the whole text goes back into the panes.
constexpr qsizetype CellLength = 200;

QString cellText(const std::u16string& text)
{
    QString cell = QString::fromStdU16String(text.substr(0, CellLength + 1));
    cell.replace(QStringLiteral("\r\n"), QStringLiteral(" "))
        .replace(u'\n', u' ')
        .replace(u'\r', u' ');
    if (cell.size() > CellLength) {
        cell = cell.left(CellLength) + QChar(0x2026);
    }
    return cell;
}

// The texts the window sets itself, by name; the language files hold them in other languages.
const QStringList OwnTexts = {
    QStringLiteral("lvHistory_ColumnCaption[0]=Time"),
    QStringLiteral("lvHistory_ColumnCaption[1]=Direction"),
    QStringLiteral("lvHistory_ColumnCaption[2]=Text"),
    QStringLiteral("lvHistory_ColumnCaption[3]=Translation"),
    QStringLiteral("lvHistory_ColumnCaption[4]=Uses"),
    QStringLiteral("edtFilter_Placeholder=Type a part of a text, in English or Marathi"),
    QStringLiteral("strEntries=%1 entries"),
    QStringLiteral("strEntry=%1 entry"),
    QStringLiteral("strShownOf=%1 shown of %2 entries"),
    QStringLiteral("strEnglish=English"),
    QStringLiteral("strMarathi=Marathi"),
};

QPushButton* addButton(QBoxLayout* row, QWidget* parent, const char* name, const QString& text)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    row->addWidget(button);
    return button;
}

} // namespace

HistoryWindow::HistoryWindow(TranslationHistory& history, QWidget* parent)
    : QDialog(parent)
    , m_history(history)
{
    setObjectName("frmHistory");
    setWindowTitle(QStringLiteral("History"));
    // Smaller where the screen is (a small screen at a high scale).
    resize(QSize(720, 460).boundedTo(windowRoom(screen()->availableGeometry().size())));

    m_edtFilter = new QLineEdit(this);
    m_edtFilter->setObjectName("edtFilter");
    m_edtFilter->setClearButtonEnabled(true);

    m_lvHistory = new QTreeWidget(this);
    m_lvHistory->setObjectName("lvHistory");
    m_lvHistory->setRootIsDecorated(false);
    m_lvHistory->setUniformRowHeights(true);
    m_lvHistory->setAllColumnsShowFocus(true);
    m_lvHistory->setColumnCount(5);
    // Time, direction and count as wide as they need; the two texts share the rest.
    QHeaderView* header = m_lvHistory->header();
    header->setStretchLastSection(false);
    for (int column : {0, 1, 4}) {
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
    header->setSectionResizeMode(2, QHeaderView::Stretch);
    header->setSectionResizeMode(3, QHeaderView::Stretch);

    m_labCount = new QLabel(this);
    m_labCount->setObjectName("labCount");

    auto* buttons = new QHBoxLayout;
    m_btnOpen = addButton(buttons, this, "btnOpen", QStringLiteral("&Open"));
    m_btnDelete = addButton(buttons, this, "btnDelete", QStringLiteral("&Delete"));
    m_btnDeleteAll = addButton(buttons, this, "btnDeleteAll", QStringLiteral("Delete &All"));
    m_btnExport = addButton(buttons, this, "btnExport", QStringLiteral("&Export..."));
    buttons->addStretch();
    QPushButton* close = addButton(buttons, this, "btnClose", QStringLiteral("Close"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_edtFilter);
    layout->addWidget(m_lvHistory);
    layout->addWidget(m_labCount);
    layout->addLayout(buttons);

    connect(
        m_edtFilter, &QLineEdit::textChanged, this, [this] { runCommand([this] { refill(); }); });
    connect(m_lvHistory, &QTreeWidget::itemDoubleClicked, this,
        [this] { runCommand([this] { openSelected(); }); });
    connect(
        m_btnOpen, &QPushButton::clicked, this, [this] { runCommand([this] { openSelected(); }); });
    connect(m_btnDelete, &QPushButton::clicked, this,
        [this] { runCommand([this] { deleteSelected(); }); });
    connect(m_btnDeleteAll, &QPushButton::clicked, this,
        [this] { runCommand([this] { deleteAll(); }); });
    connect(
        m_btnExport, &QPushButton::clicked, this, [this] { runCommand([this] { exportCsv(); }); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    new FormLanguage(this, {"labCount"}, OwnTexts,
        [this](const FormLanguage& language) { showOwnTexts(language); });
    refill();
}

void HistoryWindow::showOwnTexts(const FormLanguage& language)
{
    QStringList columns;
    for (int column = 0; column < m_lvHistory->columnCount(); ++column) {
        columns.append(language.text(QStringLiteral("lvHistory_ColumnCaption[%1]").arg(column)));
    }
    m_lvHistory->setHeaderLabels(columns);
    m_edtFilter->setPlaceholderText(language.text("edtFilter_Placeholder"));
    m_entriesText = language.text("strEntries");
    m_entryText = language.text("strEntry");
    m_languageNames = {{QStringLiteral("en"), language.text("strEnglish")},
        {QStringLiteral("mr"), language.text("strMarathi")}};
    m_shownOfText = language.text("strShownOf");
    showCount();
}

void HistoryWindow::showCount()
{
    const QString total = InterfaceNumbers::number(m_total);
    m_labCount->setText(m_edtFilter->text().isEmpty() && m_entries.size() == m_total
            ? (m_total == 1 ? m_entryText : m_entriesText).arg(total)
            : m_shownOfText.arg(
                InterfaceNumbers::number(static_cast<qlonglong>(m_entries.size())), total));
}

bool HistoryWindow::event(QEvent* event)
{
    // Translations made while the window was in the background show when it comes back.
    if (event->type() == QEvent::WindowActivate) {
        runCommand([this] { refill(); });
    }
    return QDialog::event(event);
}

void HistoryWindow::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        runCommand([this] { openSelected(); });
        return;
    case Qt::Key_Delete:
        if (event->modifiers() == Qt::NoModifier && !m_edtFilter->hasFocus()) {
            runCommand([this] { deleteSelected(); });
            return;
        }
        break;
    case Qt::Key_Down:
        // From the filter straight into the list.
        if (m_edtFilter->hasFocus() && m_lvHistory->topLevelItemCount() > 0) {
            m_lvHistory->setFocus();
            return;
        }
        break;
    default:
        break;
    }
    QDialog::keyPressEvent(event);
}

QString HistoryWindow::languageName(const std::string& code) const
{
    const QString key = QString::fromStdString(code);
    return m_languageNames.value(key, key);
}

void HistoryWindow::refill()
{
    const qint64 keepId = selectedEntry() ? selectedEntry()->id : 0;
    m_entries = m_history.store().list(m_edtFilter->text().toStdU16String(), ShownEntries);
    m_lvHistory->clear();
    QList<QTreeWidgetItem*> rows;
    QTreeWidgetItem* keep = nullptr;
    for (const HistoryEntry& entry : m_entries) {
        auto* row = new QTreeWidgetItem({
            TranslationHistory::timeText(entry),
            QStringLiteral("%1 → %2").arg(
                languageName(entry.sourceCode), languageName(entry.targetCode)),
            cellText(entry.source),
            cellText(entry.translation),
            InterfaceNumbers::number(entry.useCount),
        });
        rows.append(row);
        if (entry.id == keepId) {
            keep = row;
        }
    }
    m_lvHistory->addTopLevelItems(rows);
    m_lvHistory->setCurrentItem(keep ? keep : m_lvHistory->topLevelItem(0));
    m_total = m_history.store().count();
    showCount();
    for (QPushButton* button : {m_btnOpen, m_btnDelete}) {
        button->setEnabled(!m_entries.empty());
    }
    m_btnDeleteAll->setEnabled(m_total > 0);
    // Every command ends here, so whatever the file went through reaches the user.
    m_history.showNotices();
}

const HistoryEntry* HistoryWindow::selectedEntry() const
{
    const int row = m_lvHistory->indexOfTopLevelItem(m_lvHistory->currentItem());
    return row >= 0 && static_cast<std::size_t>(row) < m_entries.size() ? &m_entries[row] : nullptr;
}

void HistoryWindow::openSelected()
{
    if (const HistoryEntry* entry = selectedEntry()) {
        const HistoryEntry chosen = *entry;
        accept();
        emit entryOpened(chosen);
    }
}

void HistoryWindow::deleteSelected()
{
    const HistoryEntry* entry = selectedEntry();
    if (!entry
        || !MessageBox::confirm(QStringLiteral("Delete the selected entry from the history?"),
            QStringLiteral("Delete"))) {
        return;
    }
    m_history.store().remove(entry->id);
    refill();
}

void HistoryWindow::deleteAll()
{
    if (!MessageBox::confirm(
            QStringLiteral("Delete every entry from the history? This cannot be undone."),
            QStringLiteral("Delete"))) {
        return;
    }
    m_history.store().clear();
    refill();
}

void HistoryWindow::exportCsv()
{
    const QString fileName = FileDialogs::getSaveFileName(this, QStringLiteral("Export history"),
        {QStringLiteral("CSV files (*.csv)"), QStringLiteral("All files (*)")},
        QStringLiteral("csv"))
                                 .fileName;
    if (fileName.isEmpty()) {
        return;
    }
    // Every entry the filter keeps, not only the rows on show.
    const std::string csv
        = HistoryCsv::write(m_history.store().list(m_edtFilter->text().toStdU16String()));
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(csv.data(), static_cast<qint64>(csv.size()))
            != static_cast<qint64>(csv.size())
        || !file.commit()) {
        throw Exception("Unable to write to " + fileName.toLocal8Bit().toStdString());
    }
}
