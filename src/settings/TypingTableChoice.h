// The Options dialog's choice of table for romanised typing: a page of its own with the Marathi
// tables installed, shown from and written to the settings file.
#pragma once

#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QTabWidget;
class QWidget;

class TypingTableChoice
{
public:
    // Lists the installed Marathi tables by their m17n names; the program sets it at start-up.
    using TableLister = std::function<std::vector<std::string>()>;
    static void setTableLister(TableLister lister);

    // Adds the page ("Typing") to the dialog's pages.
    explicit TypingTableChoice(QTabWidget* pages);

    // Selects the stored table (ITRANS when none is stored or it is gone).
    void showSettings();
    void selectDefault();
    // Writes the chosen table; nothing when no table is installed.
    void saveSettings() const;

private:
    QWidget* m_page;
    QGroupBox* m_group;
    QLabel* m_label;
    QComboBox* m_tables;
};
