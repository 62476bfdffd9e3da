// The text-from-images page of the Options dialog.
#include "ImageTextChoice.h"

#include "ImageTextSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <algorithm>

namespace {

ImageTextChoice::LanguageLister& languageLister()
{
    static ImageTextChoice::LanguageLister lister;
    return lister;
}

// Both languages first, since a Marathi notice often quotes English words; then each on its own.
QStringList languageChoices()
{
    std::vector<std::string> installed;
    if (languageLister()) {
        installed = languageLister()();
    }
    QStringList choices;
    const auto has = [&](const char* code) {
        return std::find(installed.begin(), installed.end(), code) != installed.end();
    };
    if (has("mar") && has("eng")) {
        choices += QString::fromLatin1(DefaultImageTextLanguages);
    }
    for (const std::string& code : installed) {
        // Tesseract's orientation and script helpers read no text.
        if (code != "osd" && code != "equ") {
            choices += QString::fromStdString(code);
        }
    }
    return choices;
}

} // namespace

void ImageTextChoice::setLanguageLister(LanguageLister lister)
{
    languageLister() = std::move(lister);
}

ImageTextChoice::ImageTextChoice(QTabWidget* pages)
    : m_page(new QWidget(pages))
    , m_group(new QGroupBox(QStringLiteral("Text from images"), m_page))
    , m_translateAtOnce(
          new QCheckBox(QStringLiteral("Translate recognised text at once."), m_group))
    , m_label(new QLabel(QStringLiteral("Languages to read :"), m_group))
    , m_languages(new QComboBox(m_group))
{
    m_page->setObjectName("tsImages");
    pages->addTab(m_page, QStringLiteral("Images"));
    m_group->setObjectName("rgImages");
    m_group->setGeometry(10, 7, 407, 85);
    m_translateAtOnce->setObjectName("chkOcrTranslate");
    m_translateAtOnce->setGeometry(12, 25, 380, 17);
    m_label->setObjectName("labOcrLanguages");
    m_label->setGeometry(12, 57, 187, 14);
    m_languages->setObjectName("cmbOcrLanguages");
    m_languages->setGeometry(213, 53, 176, 22);
    m_languages->addItems(languageChoices());
}

void ImageTextChoice::showSettings()
{
    m_shown = loadImageTextSettings();
    m_translateAtOnce->setChecked(m_shown.translateAtOnce);
    selectLanguages(m_shown.languages);
}

void ImageTextChoice::selectDefault()
{
    m_translateAtOnce->setChecked(false);
    selectLanguages(DefaultImageTextLanguages);
}

void ImageTextChoice::selectLanguages(const std::string& languages)
{
    // A stored choice whose data is gone stays listed, so saving does not change it unasked.
    const QString choice = QString::fromStdString(languages);
    if (m_languages->findText(choice) < 0) {
        m_languages->addItem(choice);
    }
    m_languages->setCurrentIndex(m_languages->findText(choice));
}

void ImageTextChoice::saveSettings() const
{
    // A file the user did not change here gets no new section.
    const ImageTextSettings chosen {
        m_languages->currentText().toStdString(), m_translateAtOnce->isChecked()};
    if (chosen.languages != m_shown.languages
        || chosen.translateAtOnce != m_shown.translateAtOnce) {
        saveImageTextSettings(chosen);
    }
}

QList<QWidget*> ImageTextChoice::controls() const
{
    return {m_translateAtOnce, m_languages};
}
