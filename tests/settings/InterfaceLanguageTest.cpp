// Which interface language is in use: the files found, the stored choice, the system locale, and
// the message texts shown in the language in use.
#include "InterfaceLanguage.h"

#include "../ini/ScratchFolder.h"
#include "MessageTexts.h"
#include "Params.h"

#include <QCoreApplication>
#include <QDir>
#include <gtest/gtest.h>

namespace {

class Languages : public testing::Test
{
protected:
    void SetUp() override
    {
        InterfaceLanguage::instance().setFolder(QString::fromStdString(m_folder.path().string()));
    }
    void TearDown() override
    {
        InterfaceLanguage& language = InterfaceLanguage::instance();
        language.setCurrent(InterfaceLanguage::English);
        language.setFolder({});
        CurrentLangFile.clear();
    }
    void addLanguage(const std::string& name, const std::string& content = "")
    {
        ScratchFolder::write(m_folder.file(name + ".ini"), content);
    }

    ScratchFolder m_folder;
};

TEST_F(Languages, TheFilesFoundAreOfferedWithEnglishFirst)
{
    addLanguage("Marathi");
    addLanguage("English");
    addLanguage("Hindi");
    ScratchFolder::write(m_folder.file("notes.txt"), "");
    EXPECT_EQ(
        InterfaceLanguage::instance().available(), QStringList({"English", "Hindi", "Marathi"}));
}

TEST_F(Languages, AStoredChoiceWinsElseTheLocalePicksElseEnglish)
{
    addLanguage("English");
    addLanguage("Marathi");
    const struct
    {
        const char* choice;
        const char* locale;
        const char* expected;
    } cases[] = {
        {"", "en_GB", "English"},
        {"", "mr_IN", "Marathi"},
        {"", "de_DE", "English"}, // no German file
        {"English", "mr_IN", "English"},
        {"Marathi", "en_US", "Marathi"},
        {"Klingon", "mr_IN", "Marathi"}, // a choice whose file has gone
        {"Klingon", "C", "English"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(InterfaceLanguage::instance().resolve(c.choice, QLocale(c.locale)), c.expected)
            << c.choice << " " << c.locale;
    }
}

TEST_F(Languages, ChoosingALanguageNamesItsFileAndReportsOnlyAChange)
{
    addLanguage("English");
    addLanguage("Marathi");
    InterfaceLanguage& language = InterfaceLanguage::instance();
    int changes = 0;
    const auto connection
        = QObject::connect(&language, &InterfaceLanguage::changed, [&changes] { ++changes; });
    language.setCurrent("Marathi");
    language.setCurrent("Marathi");
    QObject::disconnect(connection);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(language.current(), "Marathi");
    // The language components take names relative to the executable's folder.
    const QString named = QDir(QCoreApplication::applicationDirPath())
                              .absoluteFilePath(QString::fromStdString(CurrentLangFile));
    EXPECT_EQ(QDir::cleanPath(named).toStdString(), m_folder.file("Marathi.ini"));
}

TEST_F(Languages, MessagesAreShownInTheLanguageInUseWithTheirVaryingParts)
{
    addLanguage("English", "[MessageTexts]\nmsgUnableToWrite=Unable to write to %1\n");
    addLanguage("Marathi",
        "[MessageTexts]\n"
        "msgUnableToWrite=%1 मध्ये लिहिता आले नाही\n"
        "msgSocketError=सॉकेट त्रुटी # %1\n"
        "msgTimedOut=जोडणीची वेळ संपली.\n"
        "msgInvalidInteger=\n"); // empty: shown in English
    InterfaceLanguage::instance().setCurrent("Marathi");
    const struct
    {
        const char* shown;
        const char* expected;
    } cases[] = {
        {"Unable to write to /tmp/a %2 b.ini", "/tmp/a %2 b.ini मध्ये लिहिता आले नाही"},
        // Each line of a failure is looked up by itself.
        {"Socket Error # 10060\r\nConnection timed out.", "सॉकेट त्रुटी # 10060\r\nजोडणीची वेळ संपली."},
        {"'x' is not a valid integer value", "'x' is not a valid integer value"},
        {"Something nobody knows", "Something nobody knows"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MessageTexts::instance().translate(QString::fromUtf8(c.shown)).toStdString(),
            c.expected);
    }
    InterfaceLanguage::instance().setCurrent("English");
    EXPECT_EQ(MessageTexts::instance().translate("Unable to write to x").toStdString(),
        "Unable to write to x");
}

} // namespace
