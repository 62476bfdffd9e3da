// The Options dialog's page for text from images: the languages pictures are read in, and whether
// the text read is translated at once. Shown from and written to the settings file.
#pragma once

#include "ImageTextSettings.h"

#include <QList>
#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QTabWidget;
class QWidget;

class ImageTextChoice
{
public:
    // Lists the codes of the installed recognition languages; the program sets it at start-up.
    using LanguageLister = std::function<std::vector<std::string>()>;
    static void setLanguageLister(LanguageLister lister);

    // Adds the page ("Images") to the dialog's pages.
    explicit ImageTextChoice(QTabWidget* pages);

    void showSettings();
    void selectDefault();
    // Writes the choice when it differs from what was shown; raises IniWriteError when the
    // settings file cannot be written.
    void saveSettings() const;
    // The page's controls in tab order.
    QList<QWidget*> controls() const;

private:
    void selectLanguages(const std::string& languages);

    QWidget* m_page;
    QGroupBox* m_group;
    QCheckBox* m_translateAtOnce;
    QLabel* m_label;
    QComboBox* m_languages;
    // What the settings file held when the page was shown.
    ImageTextSettings m_shown;
};
