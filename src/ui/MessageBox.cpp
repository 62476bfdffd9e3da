// Message boxes under the application title.
#include "MessageBox.h"

#include "MessageTexts.h"

#include <QApplication>
#include <QMessageBox>

namespace {

MessageBox::Hook& hook()
{
    static MessageBox::Hook current;
    return current;
}

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

} // namespace

int MessageBox::show(const QString& englishText, int kind)
{
    const QString text = MessageTexts::instance().translate(englishText);
    if (hook()) {
        return hook()(text, kind);
    }
    QMessageBox box(iconOf(kind), caption(), text, QMessageBox::Ok);
    if (kind == 3) {
        box.addButton(QMessageBox::Cancel);
    }
    box.setWindowModality(Qt::ApplicationModal);
    return box.exec() == QMessageBox::Cancel ? Cancel : Ok;
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
