// Translates a list of named messages that belong to no control. Each line is a name, "=" and the
// text; a pass replaces the text of every line whose name the language file knows (key = the name).
#pragma once

#include "LangRes.h"
#include "StringList.h"

using MsgList = StringList;

class MsgLangRes : public LangRes
{
    Q_OBJECT

public:
    explicit MsgLangRes(QObject* owner);

    // While active, every edit of the list outside a pass runs a pass over the whole list.
    MsgList& msgList() { return m_msgList; }
    const MsgList& msgList() const { return m_msgList; }
    void setMsgList(const QStringList& lines) { m_msgList.assign(lines); }

    // True while a pass runs; a pass that fails clears it too.
    bool isTranslating() const { return m_translating; }

protected:
    void translate() override;

private:
    MsgList m_msgList;
    bool m_translating = false;
};
