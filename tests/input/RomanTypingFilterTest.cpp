// Romanised typing through the real m17n Marathi tables, keys pressed on a real text edit.
#include "RomanTypingFilter.h"

#include "M17nEngine.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <gtest/gtest.h>
#include <memory>

namespace {

class RomanTypingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_edit = std::make_unique<QPlainTextEdit>();
        m_edit->show();
        m_edit->setFocus();
        m_typing = new RomanTypingFilter(m_edit.get());
        ASSERT_TRUE(m_typing->setEnabled(true)) << m_typing->error().toStdString();
    }

    void type(const char* keys) { QTest::keyClicks(m_edit.get(), QString::fromLatin1(keys)); }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(m_edit.get(), key, modifiers);
    }
    QString text() const { return m_edit->toPlainText(); }
    // What the edit shows in place of the cursor, not yet in its text.
    QString shownInPlace() const
    {
        return m_edit->textCursor().block().layout()->preeditAreaText();
    }

    std::unique_ptr<QPlainTextEdit> m_edit;
    RomanTypingFilter* m_typing = nullptr;
};

} // namespace

TEST_F(RomanTypingTest, ItransWordsBecomeDevanagari)
{
    struct Case
    {
        const char* keys;
        const char16_t* devanagari;
    };
    const Case cases[] = {
        {"namaskaara ", u"नमस्कार "},
        {"mI marAThI bolato ", u"मी मराठी बोलतो "},
        {"j~nAna ", u"ज्ञान "},
        {"saMskRRita ", u"संस्कृत "},
        {"duHkha ", u"दुःख "},
        {"chA.Nda ", u"चाँद "},
        {"zamIna ", u"\u095Bमीन "},
        {"2024 ", u"२०२४ "},
        {"kaaya, kasa? ", u"काय, कस? "},
        {"nak ", u"नक् "},
    };
    for (const Case& c : cases) {
        m_edit->clear();
        type(c.keys);
        EXPECT_EQ(text(), QString::fromUtf16(c.devanagari)) << c.keys;
        EXPECT_TRUE(m_typing->composition().isEmpty()) << c.keys;
    }
}

// A real keyboard sends Shift as a key of its own before a capital letter.
TEST_F(RomanTypingTest, ModifierKeysAloneLeaveTheSyllableOpen)
{
    type("m");
    QTest::keyPress(m_edit.get(), Qt::Key_Shift);
    QTest::keyClick(m_edit.get(), 'I', Qt::ShiftModifier);
    QTest::keyRelease(m_edit.get(), Qt::Key_Shift);
    QTest::keyPress(m_edit.get(), Qt::Key_Control);
    QTest::keyRelease(m_edit.get(), Qt::Key_Control);
    type(" ");
    EXPECT_EQ(text(), QString::fromUtf16(u"मी "));
}

TEST_F(RomanTypingTest, TheWordBeingComposedShowsUnderlinedInPlaceUntilEnter)
{
    type("namaskaara");
    EXPECT_EQ(text(), "");
    EXPECT_EQ(shownInPlace(), QString::fromUtf16(u"नमस्कार"));
    const QList<QTextLayout::FormatRange> formats
        = m_edit->textCursor().block().layout()->formats();
    ASSERT_FALSE(formats.isEmpty());
    EXPECT_TRUE(formats.first().format.fontUnderline());

    // Enter commits the word and adds no line; the next Enter is an ordinary one.
    press(Qt::Key_Return);
    EXPECT_EQ(text(), QString::fromUtf16(u"नमस्कार"));
    EXPECT_EQ(shownInPlace(), "");
    press(Qt::Key_Return);
    EXPECT_EQ(text(), QString::fromUtf16(u"नमस्कार\n"));
}

TEST_F(RomanTypingTest, BackspaceEditsTheWordBeforeTheText)
{
    type("aaja ");
    type("namaskaara");
    // The table takes back its keys first, then the word loses a character at a time.
    press(Qt::Key_Backspace);
    EXPECT_EQ(shownInPlace(), QString::fromUtf16(u"नमस्का"));
    press(Qt::Key_Backspace);
    EXPECT_EQ(shownInPlace(), QString::fromUtf16(u"नमस्क"));
    type("ra ");
    EXPECT_EQ(text(), QString::fromUtf16(u"आज नमस्कर "));
    // With nothing being composed Backspace edits the text.
    press(Qt::Key_Backspace);
    press(Qt::Key_Backspace);
    EXPECT_EQ(text(), QString::fromUtf16(u"आज नमस्क"));
}

TEST_F(RomanTypingTest, OneUndoTakesBackOneWord)
{
    type("namaskaara mitraa ");
    ASSERT_EQ(text(), QString::fromUtf16(u"नमस्कार मित्रा "));
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(text(), QString::fromUtf16(u"नमस्कार "));
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(text(), "");
}

TEST_F(RomanTypingTest, PastingAndClickingCommitTheWordFirst)
{
    QGuiApplication::clipboard()->setText("X");
    type("nama");
    press(Qt::Key_V, Qt::ControlModifier);
    type("ka ");
    EXPECT_EQ(text(), QString::fromUtf16(u"नमXक "));

    type("ghara");
    QTest::mouseClick(m_edit->viewport(), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(text(), QString::fromUtf16(u"नमXक घर"));
    EXPECT_EQ(shownInPlace(), "");
}

// Every key leaves its mark: any printable key, alone or in a run of nonsense, ends up in the
// text as Devanagari or as itself, and nothing crashes.
TEST_F(RomanTypingTest, NoKeystrokeIsLost)
{
    for (char c = '!'; c <= '~'; ++c) {
        m_edit->clear();
        QTest::keyClick(m_edit.get(), c);
        press(Qt::Key_Return);
        EXPECT_FALSE(text().isEmpty()) << "key " << c;
    }
    m_edit->clear();
    std::uint32_t seed = 16;
    QString typed;
    for (int i = 0; i < 500; ++i) {
        seed = seed * 1103515245 + 12345;
        const char c = static_cast<char>(' ' + (seed >> 16) % 95);
        QTest::keyClick(m_edit.get(), c);
        if (i % 97 == 0) {
            press(Qt::Key_Backspace);
        }
    }
    m_typing->commit();
    EXPECT_GT(text().size(), 150);
}

TEST_F(RomanTypingTest, SwitchingOffCommitsAndGivesTheKeysBack)
{
    type("nama");
    m_typing->setEnabled(false);
    EXPECT_EQ(text(), QString::fromUtf16(u"नम"));
    type("ka");
    EXPECT_EQ(text(), QString::fromUtf16(u"नमka"));
}

// A system input method keeps working while romanised typing is on.
TEST_F(RomanTypingTest, SystemInputMethodTextStillArrives)
{
    type("ka");
    QInputMethodEvent event;
    event.setCommitString(QString::fromUtf16(u"ख"));
    QCoreApplication::sendEvent(m_edit.get(), &event);
    EXPECT_EQ(text(), QString::fromUtf16(u"कख"));
}

TEST(RomanTypingTables, EveryMarathiTableOpensAndAMissingOneIsReported)
{
    const std::vector<std::string> tables = M17nEngine::marathiTables();
    ASSERT_GE(tables.size(), 2u);
    EXPECT_EQ(tables.front(), "mr-itrans");
    for (const std::string& table : tables) {
        EXPECT_NO_THROW(M17nEngine::open(table)) << table;
    }

    QPlainTextEdit edit;
    RomanTypingFilter typing(&edit);
    typing.setTable("mr-nosuchtable");
    EXPECT_FALSE(typing.setEnabled(true));
    EXPECT_TRUE(typing.error().contains("m17n-db")) << typing.error().toStdString();
    QTest::keyClicks(&edit, "ka");
    EXPECT_EQ(edit.toPlainText(), "ka");
}

TEST(RomanTypingTables, PhoneticTableTypesItsOwnWay)
{
    QPlainTextEdit edit;
    RomanTypingFilter typing(&edit);
    typing.setTable("mr-phonetic");
    ASSERT_TRUE(typing.setEnabled(true));
    QTest::keyClicks(&edit, "k ");
    EXPECT_FALSE(edit.toPlainText().contains('k')) << edit.toPlainText().toStdString();
}
