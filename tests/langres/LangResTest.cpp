// The language file rules every component shares: owner kinds, the file's name and place, the text
// rule with its auto-create options, fonts, numbers and write failures.
#include "Exception.h"
#include "FormLangRes.h"
#include "LangFileFixture.h"
#include "LangResPublic.h"
#include "MsgLangRes.h"
#include "TestForms.h"

#include <QFontInfo>
#include <QListWidget>
#include <functional>
#include <memory>
#include <optional>

namespace {

std::string ownerError(QObject* owner)
{
    try {
        FormLangRes langRes(owner);
    } catch (const Exception& error) {
        return error.message();
    }
    return "accepted";
}

} // namespace

TEST(LangResOwner, ClassifiesFormsDataModulesAndFramesAndRefusesTheRest)
{
    TfrmWithFrame form;
    TdmTest dataModule;
    QObject plainObject;
    auto* button = new QPushButton(&form);

    auto* onForm = new FormLangRes(&form);
    EXPECT_EQ(onForm->ownerForm(), &form);
    EXPECT_EQ(onForm->parent(), &form);
    auto* onFrame = new FormLangRes(form.panel);
    EXPECT_EQ(onFrame->ownerFrame(), form.panel);
    EXPECT_EQ(onFrame->ownerForm(), nullptr);
    auto* onDataModule = new MsgLangRes(&dataModule);
    EXPECT_EQ(onDataModule->ownerDataModule(), &dataModule);
    EXPECT_EQ(onDataModule->ownerForm(), nullptr);

    const std::string refused = "Owner must be a Form or a DataModule!";
    EXPECT_EQ(ownerError(button), refused);
    EXPECT_EQ(ownerError(&plainObject), refused);
    EXPECT_EQ(ownerError(nullptr), refused);
    EXPECT_TRUE(button->children().isEmpty());
}

TEST(LangResFile, NameIsTakenBesideTheExecutable)
{
    TfrmTest form;
    FormLangRes langRes(&form);
    EXPECT_EQ(langRes.langFileName(), QStringLiteral("DefLang.ini"));
    EXPECT_EQ(langRes.langFilePath(), QStringLiteral("DefLang.ini"));

    const QString executableDir = QCoreApplication::applicationDirPath();
    langRes.setLangFileName(QStringLiteral("English.ini"));
    EXPECT_EQ(langRes.langFileName(), QStringLiteral("English.ini"));
    EXPECT_EQ(langRes.langFilePath(), executableDir + QStringLiteral("/English.ini"));
    langRes.setLangFileName(QStringLiteral("lang/Marathi.ini"));
    EXPECT_EQ(langRes.langFileName(), QStringLiteral("Marathi.ini"));
    EXPECT_EQ(langRes.langFilePath(), executableDir + QStringLiteral("/lang/Marathi.ini"));
}

TEST(LangResFile, BracketsComeOffOnlyAsAPair)
{
    const struct
    {
        const char* text;
        const char* unbracketed;
    } cases[] = {{"<Hallo>", "Hallo"}, {"<>", ""}, {"<Hallo", "<Hallo"}, {"Hallo>", "Hallo>"},
        {"<", "<"}, {">", ">"}, {"<<x>>", "<x>"}, {"", ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(
            LangRes::unbracketText(QString::fromUtf8(c.text)), QString::fromUtf8(c.unbracketed))
            << c.text;
    }
}

// One key in the file (or none), one text on screen: what a control and a message end up with,
// and what the file holds afterwards.
struct TextRuleCase
{
    std::optional<const char*> fileValue;
    const char* currentText;
    bool autoCreate;
    bool ignoreEmpty;
    bool addBracket;
    const char* controlText;
    const char* messageText;
    const char* valueAfter;
};

class TextRule : public LangFileFixture, public testing::WithParamInterface<TextRuleCase>
{
protected:
    void prepare(LangRes& langRes)
    {
        const TextRuleCase& c = GetParam();
        if (c.fileValue) {
            writeFile(QByteArray("[TfrmTest]\nlabText_Caption=") + *c.fileValue + "\n");
        }
        langRes.setLangFileName(langFileName());
        langRes.setAutoCreateMode(c.autoCreate);
        langRes.setIgnoreEmptyString(c.ignoreEmpty);
        langRes.setAddBracket(c.addBracket);
    }

    void expectFileAfter()
    {
        const TextRuleCase& c = GetParam();
        EXPECT_EQ(keyValue("TfrmTest", QStringLiteral("labText_Caption")), c.valueAfter);
        if (!c.fileValue && !c.autoCreate) {
            EXPECT_FALSE(fileExists());
        }
    }
};

TEST_P(TextRule, OnAControlText)
{
    TfrmTest form;
    form.labText->setText(QString::fromUtf8(GetParam().currentText));
    auto* langRes = new FormLangRes(&form);
    prepare(*langRes);
    langRes->translateStringProperty(form.labText, QStringLiteral("Caption"));
    EXPECT_EQ(form.labText->text(), QString::fromUtf8(GetParam().controlText));
    expectFileAfter();
}

TEST_P(TextRule, OnAMessage)
{
    TfrmTest form;
    auto* langRes = new MsgLangRes(&form);
    prepare(*langRes);
    langRes->msgList().append(
        QStringLiteral("labText_Caption=") + QString::fromUtf8(GetParam().currentText));
    langRes->setActive(true);
    EXPECT_EQ(langRes->msgList().at(0),
        QStringLiteral("labText_Caption=") + QString::fromUtf8(GetParam().messageText));
    expectFileAfter();
}

INSTANTIATE_TEST_SUITE_P(Cases, TextRule,
    testing::Values(
        // Found values replace the text, brackets or not; "<>" empties a control but not a message.
        TextRuleCase {"Hallo", "Cur", false, false, false, "Hallo", "Hallo", "Hallo"},
        TextRuleCase {"<Hallo>", "Cur", true, false, false, "Hallo", "Hallo", "<Hallo>"},
        TextRuleCase {"<>", "Cur", true, false, false, "", "Cur", "<>"},
        TextRuleCase {"<Hallo", "Cur", false, false, false, "<Hallo", "<Hallo", "<Hallo"},
        // Missing or empty keys are written only in auto-create mode.
        TextRuleCase {
            std::nullopt, "Cur", false, false, false, "Cur", "Cur", LangFileFixture::Absent},
        TextRuleCase {"", "Cur", false, false, false, "Cur", "Cur", ""},
        TextRuleCase {std::nullopt, "Cur", true, false, false, "Cur", "Cur", "Cur"},
        TextRuleCase {std::nullopt, "Cur", true, false, true, "Cur", "Cur", "<Cur>"},
        TextRuleCase {"", "Cur", true, true, true, "Cur", "Cur", "<Cur>"},
        // Empty texts: skipped with IgnoreEmptyString, else written empty (or "<>").
        TextRuleCase {std::nullopt, "", true, true, false, "", "", LangFileFixture::Absent},
        TextRuleCase {std::nullopt, "", true, false, false, "", "", ""},
        TextRuleCase {std::nullopt, "", true, false, true, "", "", "<>"},
        // A text of several lines has no one-line template; it stays as it is.
        TextRuleCase {std::nullopt, "two\nlines", true, false, false, "two\nlines", "two\nlines",
            LangFileFixture::Absent}));

struct FontCase
{
    const char* fileLines;
    const char* family;
    int pointSize;
    int charset;
};

class FontRule : public LangFileFixture, public testing::WithParamInterface<FontCase>
{ };

TEST_P(FontRule, TakesUsableValuesAndKeepsTheRest)
{
    const FontCase& c = GetParam();
    writeFile(QByteArray("[TfrmTest]\n") + c.fileLines);
    TfrmTest form;
    form.setFont(QFont(QStringLiteral("Original"), 10));
    FormLangRes langRes(&form);
    langRes.setLangFileName(langFileName());
    langRes.setAutoCreateMode(false);
    langRes.translateFont(&form);

    EXPECT_EQ(form.font().family(), QString::fromUtf8(c.family));
    EXPECT_EQ(form.font().pointSize(), c.pointSize);
    const QVariant charset = form.property(LangRes::FontCharsetProperty);
    EXPECT_EQ(charset.isValid() ? charset.toInt() : LangRes::DefaultCharset, c.charset);
}

INSTANTIATE_TEST_SUITE_P(Cases, FontRule,
    testing::Values(FontCase {"", "Original", 10, 1},
        FontCase {
            "frmTest_FontName=Serif\nfrmTest_FontSize=14\nfrmTest_FontCharset=0\n", "Serif", 14, 0},
        FontCase {
            "frmTest_FontName=<Mono>\nfrmTest_FontSize=0\nfrmTest_FontCharset=-1\n", "Mono", 10, 1},
        FontCase {"frmTest_FontSize=0x0C\nfrmTest_FontCharset=204\n", "Original", 12, 204},
        FontCase {"frmTest_FontSize=abc\nfrmTest_FontCharset=300\n", "Original", 10, 44},
        FontCase {"frmTest_FontSize=-5\nfrmTest_FontCharset=$FFFFFF80\n", "Original", 10, 128},
        FontCase {"frmTest_FontSize=100000\nfrmTest_FontCharset=1x\n", "Original", 10, 1}));

TEST_F(LangFileFixture, FontKeysAreCreatedFromTheCurrentFont)
{
    TfrmTest form;
    form.setFont(QFont(QStringLiteral("Original"), 11));
    FormLangRes langRes(&form);
    langRes.setLangFileName(langFileName());
    langRes.setAddBracket(true);
    langRes.setIgnoreEmptyString(true);
    langRes.translateFont(&form);

    EXPECT_EQ(keysInOrder(),
        QStringList({"frmTest_FontName", "frmTest_FontSize", "frmTest_FontCharset"}));
    EXPECT_EQ(keyValue("TfrmTest", QStringLiteral("frmTest_FontName")), "<Original>");
    EXPECT_EQ(keyValue("TfrmTest", QStringLiteral("frmTest_FontSize")), "11");
    EXPECT_EQ(keyValue("TfrmTest", QStringLiteral("frmTest_FontCharset")),
        std::to_string(LangRes::DefaultCharset));
}

TEST_F(LangFileFixture, AFailedWriteReportsThePathAndEndsThePass)
{
    TfrmTest form;
    auto* langRes = new MsgLangRes(&form);
    langRes->setLangFileName(QStringLiteral("no-such-folder/Lang.ini"));
    langRes->msgList().append(QStringLiteral("strFirst=One"));
    const std::string expected = "Unable to write to "
        + (QCoreApplication::applicationDirPath() + "/no-such-folder/Lang.ini").toStdString();

    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            // The first attempt activates; the second is an edit, which runs a pass only because
            // the failed pass did not leave the component marked as translating.
            if (attempt == 0) {
                langRes->setActive(true);
            } else {
                langRes->msgList().append(QStringLiteral("strSecond=Two"));
            }
            ADD_FAILURE() << "no error on attempt " << attempt;
        } catch (const Exception& error) {
            EXPECT_EQ(error.message(), expected);
        }
        EXPECT_FALSE(langRes->isTranslating());
    }
}

TEST(LangResFile, AnEmptyNameReadsTheExecutableDirectoryAndChangesNothing)
{
    TfrmTest form;
    auto* langRes = new FormLangRes(&form);
    langRes->setAutoCreateMode(false);
    langRes->setActive(true);
    EXPECT_NO_THROW(langRes->setLangFileName(QString()));
    EXPECT_EQ(langRes->langFilePath(), QCoreApplication::applicationDirPath() + u'/');
    EXPECT_EQ(form.labText->text(), QStringLiteral("Text"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Test"));
}

TEST(LangResPublic, NamesMapOntoTheWidgetsThatHaveSuchTexts)
{
    QDialog form;
    auto* edit = new QLineEdit(QStringLiteral("typed"), &form);
    auto* combo = new QComboBox(&form);
    combo->setEditable(true);
    combo->addItems({QStringLiteral("one"), QStringLiteral("two")});
    auto* list = new QListWidget(&form);
    list->addItems({QStringLiteral("a"), QStringLiteral("b")});
    auto* pages = new QTabWidget(&form);
    auto* label = new QLabel(QStringLiteral("label"), &form);
    label->setToolTip(QStringLiteral("tip"));

    const struct
    {
        QObject* component;
        const char* name;
        bool published;
        const char* text;
        QStringList lines;
    } cases[] = {
        {edit, "TEXT", true, "typed", {}},
        {edit, "Caption", false, "", {}},
        {combo, "text", true, "one", {}},
        {combo, "items", true, "", {"one", "two"}},
        {list, "Items", true, "", {"a", "b"}},
        {pages, "Caption", false, "", {}},
        {pages, "Tabs", false, "", {}},
        {label, "hint", true, "tip", {}},
        {label, "Font", true, "", {}},
        {label, "Color", false, "", {}},
        {&form, "caption", true, "", {}},
    };
    for (const auto& c : cases) {
        const QString name = QString::fromUtf8(c.name);
        SCOPED_TRACE(std::string(c.component->metaObject()->className()) + "." + c.name);
        EXPECT_EQ(hasPublishedProperty(c.component, name), c.published);
        EXPECT_EQ(readTextProperty(c.component, name), QString::fromUtf8(c.text));
        EXPECT_EQ(holdsStringList(c.component, name), !c.lines.isEmpty());
        EXPECT_EQ(readStringsProperty(c.component, name), c.lines);
    }

    writeTextProperty(combo, QStringLiteral("Text"), QStringLiteral("typed in"));
    writeTextProperty(label, QStringLiteral("Font"), QStringLiteral("ignored"));
    replaceStringsPropertyLine(list, QStringLiteral("items"), 1, QStringLiteral("B"));
    replaceStringsPropertyLine(list, QStringLiteral("items"), 5, QStringLiteral("out of range"));
    EXPECT_EQ(combo->currentText(), QStringLiteral("typed in"));
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("B"));
    EXPECT_EQ(list->count(), 2);
}
