// Message boxes under the application title.
#include "MessageBox.h"

#include "MessageTexts.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <utility>

namespace {

MessageBox::Hook& hook()
{
    static MessageBox::Hook current;
    return current;
}

struct CaptionedButton
{
    QMessageBox::StandardButton button;
    QString caption;
};
using StandardButtonPair = std::pair<CaptionedButton, CaptionedButton>;

QMessageBox::Icon iconOf(int kind)
{
    switch (kind) {
    case 0:
        return QMessageBox::Warning;
    case 1:
        return QMessageBox::Critical;
    case 2:
        return QMessageBox::Information;
    case 3:
        return QMessageBox::Question;
    default:
        return QMessageBox::NoIcon;
    }
}

QString inLanguage(const QString& englishText)
{
    return MessageTexts::instance().translate(englishText);
}

// A box whose buttons are added by the caller, captioned in the interface language.
class Box : public QMessageBox
{
public:
    Box(const QString& englishText, int kind)
        : QMessageBox(iconOf(kind), MessageBox::caption(), inLanguage(englishText), NoButton)
    {
        setWindowModality(Qt::ApplicationModal);
    }

    QPushButton* add(StandardButton button, const QString& englishCaption)
    {
        QPushButton* added = addButton(button);
        added->setText(inLanguage(englishCaption));
        return added;
    }
};

// Asks with two buttons; true if the first was pressed.
bool ask(const QString& englishText, StandardButtonPair buttons)
{
    if (hook()) {
        return hook()(inLanguage(englishText), 3) == MessageBox::Ok;
    }
    Box box(englishText, 3);
    QPushButton* yes = box.add(buttons.first.button, buttons.first.caption);
    QPushButton* no = box.add(buttons.second.button, buttons.second.caption);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

} // namespace

int MessageBox::show(const QString& englishText, int kind)
{
    if (hook()) {
        return hook()(inLanguage(englishText), kind);
    }
    Box box(englishText, kind);
    box.add(QMessageBox::Ok, QStringLiteral("OK"));
    if (kind == 3) {
        box.add(QMessageBox::Cancel, QStringLiteral("Cancel"));
    }
    return box.exec() == QMessageBox::Cancel ? Cancel : Ok;
}

bool MessageBox::askYesNo(const QString& englishText)
{
    return ask(englishText,
        {{QMessageBox::Yes, QStringLiteral("Yes")}, {QMessageBox::No, QStringLiteral("No")}});
}

bool MessageBox::confirm(const QString& englishText, const QString& englishAction)
{
    return ask(englishText,
        {{QMessageBox::Ok, englishAction}, {QMessageBox::Cancel, QStringLiteral("Cancel")}});
}

QString MessageBox::caption()
{
    return QCoreApplication::applicationName();
}

void MessageBox::setHook(Hook newHook)
{
    hook() = std::move(newHook);
}

int showMessageBox(const std::string& text, int kind)
{
    return MessageBox::show(QString::fromLocal8Bit(text), kind);
}
