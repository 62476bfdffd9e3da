// The message translator: one pass over the named messages of its list.
#include "MsgLangRes.h"

#include <QScopeGuard>

MsgLangRes::MsgLangRes(QObject* owner)
    : LangRes(owner)
{
    m_msgList.setChangeHandler([this] {
        // The pass's own replacements start no new pass.
        if (!m_translating) {
            refresh();
        }
    });
}

void MsgLangRes::translate()
{
    m_translating = true;
    const auto clearFlag = qScopeGuard([this] { m_translating = false; });
    const int count = m_msgList.count();
    for (int i = 0; i < count; ++i) {
        const QString line = m_msgList.at(i);
        const qsizetype equals = line.indexOf(u'=');
        const QString name = equals < 0 ? QString() : line.left(equals);
        const QString text = equals < 0 ? line : line.mid(equals + 1);
        const QString translation = lookupText(name, text);
        if (!translation.isEmpty()) {
            m_msgList.replace(i, name + u'=' + translation);
        }
    }
}
