// One window's texts in the interface language.
#include "FormLanguage.h"

#include "FormLangRes.h"
#include "InterfaceLanguage.h"
#include "MsgLangRes.h"

#include <QAction>
#include <QWidget>

namespace {

const QString CaptionSuffix = QStringLiteral("_Caption");

// Named menu items with a text; separators have no name, and Qt's own actions (an edit's clear
// button) have names of their own.
QList<QAction*> menuItems(const QWidget* form)
{
    QList<QAction*> items;
    for (QAction* action : form->findChildren<QAction*>()) {
        const QString name = action->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("_q_"))
            && !name.startsWith(QLatin1String("qt_")) && !action->text().isEmpty()) {
            items.append(action);
        }
    }
    return items;
}

} // namespace

FormLanguage::FormLanguage(QWidget* form, const QStringList& ignoreControls,
    const QStringList& messages, std::function<void(const FormLanguage&)> onTranslated)
    : QObject(form)
    , m_form(form)
    , m_onTranslated(std::move(onTranslated))
{
    m_formLangRes = new FormLangRes(form);
    m_formLangRes->setObjectName(QStringLiteral("FormLanguage"));
    m_formLangRes->setAutoCreateMode(false);
    m_formLangRes->setIgnoreEmptyString(true);
    m_formLangRes->setStringProperties({QStringLiteral("Caption"), QStringLiteral("Hint")});
    m_formLangRes->setStringsProperties({QStringLiteral("Tabs"), QStringLiteral("Items")});
    m_formLangRes->setIgnoreControls(ignoreControls);

    QStringList lines = messages;
    for (const QAction* item : menuItems(form)) {
        lines.append(item->objectName() + CaptionSuffix + u'=' + item->text());
    }
    m_msgLangRes = new MsgLangRes(form);
    m_msgLangRes->setObjectName(QStringLiteral("MessageLanguage"));
    m_msgLangRes->setAutoCreateMode(false);
    m_designMessages = lines;

    translate();
    connect(&InterfaceLanguage::instance(), &InterfaceLanguage::changed, this,
        &FormLanguage::translate);
}

QString FormLanguage::text(const QString& name) const
{
    const QString prefix = name + u'=';
    for (const QString& line : m_msgLangRes->msgList().lines()) {
        if (line.startsWith(prefix)) {
            return line.mid(prefix.size());
        }
    }
    return QString();
}

void FormLanguage::translate()
{
    InterfaceLanguage& language = InterfaceLanguage::instance();
    const QString english = language.langFileName(InterfaceLanguage::English);
    const QString current = language.langFileName(language.current());
    m_msgLangRes->setActive(false);
    // A pass never restores a text by itself: messages start again from their English design.
    m_msgLangRes->setMsgList(m_designMessages);
    for (LangRes* langRes :
        {static_cast<LangRes*>(m_formLangRes), static_cast<LangRes*>(m_msgLangRes)}) {
        langRes->setActive(false);
        langRes->setLangFileName(english);
        langRes->setActive(true);
        if (current != english) {
            langRes->setLangFileName(current);
        }
    }
    for (QAction* item : menuItems(m_form)) {
        const QString caption = text(item->objectName() + CaptionSuffix);
        if (!caption.isEmpty()) {
            item->setText(caption);
        }
    }
    if (m_onTranslated) {
        m_onTranslated(*this);
    }
}
