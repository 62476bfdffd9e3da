// The History window: past translations newest first, narrowed as the user types, opened back
// into the main window, deleted one by one or all at once, and exported as CSV.
#pragma once

#include "HistoryEntry.h"

#include <QDialog>
#include <QHash>
#include <vector>

class FormLanguage;
class TranslationHistory;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

class HistoryWindow : public QDialog
{
    Q_OBJECT

public:
    // Most rows the list shows; the filter reaches the others.
    static constexpr std::size_t ShownEntries = 1000;

    HistoryWindow(TranslationHistory& history, QWidget* parent = nullptr);

    // Reads the entries again, keeping the filter.
    void refill();
    // A language code of the history in the interface language ("en" gives "English").
    QString languageName(const std::string& code) const;

signals:
    // The user chose an entry to put back into the panes.
    void entryOpened(const HistoryEntry& entry);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The texts the window sets itself, in the interface language.
    void showOwnTexts(const FormLanguage& language);
    void showCount();
    const HistoryEntry* selectedEntry() const;
    void openSelected();
    void deleteSelected();
    void deleteAll();
    void exportCsv();

    TranslationHistory& m_history;
    std::vector<HistoryEntry> m_entries;
    std::size_t m_total = 0;
    QString m_entriesText;
    QString m_entryText;
    QHash<QString, QString> m_languageNames;
    QString m_shownOfText;
    QLineEdit* m_edtFilter;
    QTreeWidget* m_lvHistory;
    QLabel* m_labCount;
    QPushButton* m_btnOpen;
    QPushButton* m_btnDelete;
    QPushButton* m_btnDeleteAll;
    QPushButton* m_btnExport;
};
