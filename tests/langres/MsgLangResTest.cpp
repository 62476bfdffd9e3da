// The message translator: lines split at their first "=", looked up by name, and passes started by
// edits of the list only while active.
#include "MsgLangRes.h"

#include "LangFileFixture.h"
#include "TestForms.h"

struct MessageCase
{
    QStringList lines;
    const char* file;
    bool autoCreate;
    QStringList translated;
    const char* createdKey;
    const char* createdValue;
};

class Messages : public LangFileFixture, public testing::WithParamInterface<MessageCase>
{ };

TEST_P(Messages, AreReplacedByName)
{
    const MessageCase& c = GetParam();
    writeFile(QByteArray("[TfrmTest]\n") + c.file);
    TfrmTest form;
    auto* langRes = new MsgLangRes(&form);
    langRes->setLangFileName(langFileName());
    langRes->setAutoCreateMode(c.autoCreate);
    langRes->setMsgList(c.lines);
    langRes->setActive(true);
    EXPECT_EQ(langRes->msgList().lines(), c.translated);
    if (c.createdKey) {
        EXPECT_EQ(keyValue("TfrmTest", QString::fromUtf8(c.createdKey)), c.createdValue);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Messages,
    testing::Values(MessageCase {{"strInfomation=Information"}, "strInfomation=Auskunft\n", false,
                        {"strInfomation=Auskunft"}, nullptr, nullptr},
        // The name ends at the first "="; the rest is the text.
        MessageCase {{"a=b=c"}, "a=<x=y>\n", false, {"a=x=y"}, nullptr, nullptr},
        MessageCase {{"a=b=c"}, "", true, {"a=b=c"}, "a", "b=c"},
        MessageCase {{"x=1", "y=2", "x=3"}, "x=Same\n", false, {"x=Same", "y=2", "x=Same"}, nullptr,
            nullptr},
        // "<>" and an empty value are no translation for a message.
        MessageCase {{"x=1", "y=2"}, "x=<>\ny=\n", false, {"x=1", "y=2"}, nullptr, nullptr},
        // A line without a name can never be found, and is not written as a key either.
        MessageCase {{"no equals sign", "=unnamed"}, "", true, {"no equals sign", "=unnamed"},
            nullptr, nullptr}));

TEST_F(LangFileFixture, MessageListEditsRunPassesOnlyWhileActive)
{
    writeFile("[TfrmTest]\nstrOne=Eins\nstrTwo=Zwei\n");
    const QByteArray before = fileContent();
    TfrmTest form;
    auto* langRes = new MsgLangRes(&form);
    langRes->setLangFileName(langFileName());
    langRes->setAutoCreateMode(true);

    langRes->msgList().append(QStringLiteral("strOne=One"));
    langRes->msgList().append(QStringLiteral("strNew=New"));
    EXPECT_EQ(langRes->msgList().lines(), QStringList({"strOne=One", "strNew=New"}));
    EXPECT_EQ(fileContent(), before);

    langRes->setActive(true);
    EXPECT_EQ(langRes->msgList().lines(), QStringList({"strOne=Eins", "strNew=New"}));
    EXPECT_EQ(keyValue("TfrmTest", QStringLiteral("strNew")), "New");

    langRes->msgList().replace(1, QStringLiteral("strTwo=Two"));
    EXPECT_EQ(langRes->msgList().lines(), QStringList({"strOne=Eins", "strTwo=Zwei"}));
    EXPECT_FALSE(langRes->isTranslating());

    langRes->setActive(false);
    langRes->msgList().append(QStringLiteral("strOne=again"));
    EXPECT_EQ(langRes->msgList().at(2), QStringLiteral("strOne=again"));
}
