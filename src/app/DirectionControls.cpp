// The direction controls of the main window.
#include "DirectionControls.h"

#include "FormLanguage.h"
#include "Params.h"

#include <QLabel>
#include <QRadioButton>

namespace {

// Language labels size themselves to their text.
void setLabelText(QLabel* label, const QString& text)
{
    label->setText(text);
    label->adjustSize();
}

} // namespace

DirectionControls::DirectionControls(const MainWindowWidgets& ui)
    : m_ui(ui)
{ }

Direction DirectionControls::current()
{
    return directionFromSetting(Params.direction);
}

void DirectionControls::check(Direction direction)
{
    (direction == Direction::EnglishToMarathi ? m_ui.rbEngToChn : m_ui.rbChnToEng)
        ->setChecked(true);
}

void DirectionControls::takeChecked()
{
    Params.direction = settingOf(
        m_ui.rbEngToChn->isChecked() ? Direction::EnglishToMarathi : Direction::MarathiToEnglish);
    storeDirection(Params.direction);
}

void DirectionControls::showTexts(const FormLanguage& language)
{
    const QString english = language.text("strEnglish");
    const QString marathi = language.text("strMarathi");
    const QString direction = language.text("strDirection");
    m_ui.rbEngToChn->setText(direction.arg(english, marathi));
    m_ui.rbChnToEng->setText(direction.arg(marathi, english));
    m_ui.labFrom->adjustSize();
    m_ui.labTo->adjustSize();
    showNames(language);
}

void DirectionControls::showNames(const FormLanguage& language)
{
    const QString english = language.text("strEnglish");
    const QString marathi = language.text("strMarathi");
    const bool fromEnglish = current() == Direction::EnglishToMarathi;
    setLabelText(m_ui.labFromLang, fromEnglish ? english : marathi);
    setLabelText(m_ui.labToLang, fromEnglish ? marathi : english);
}

void DirectionControls::layoutLabels()
{
    m_ui.labFromLang->move(m_ui.labFrom->x() + m_ui.labFrom->width() + 4, m_ui.labFromLang->y());
    m_ui.labToLang->move(m_ui.labTo->x() + m_ui.labTo->width() + 4, m_ui.labToLang->y());
    m_ui.imgLoad->move(m_ui.labToLang->x() + m_ui.labToLang->width() + 60, m_ui.imgLoad->y());
}
