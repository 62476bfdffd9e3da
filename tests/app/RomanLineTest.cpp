// The romanisation line: under the pane that holds Marathi, following that pane's cursor, shown by
// its toggle and remembered in the settings file.
#include "MainFormFixture.h"
#include "Pane.h"
#include "PaneText.h"

#include <QLabel>
#include <QRadioButton>
#include <QTextBlock>
#include <QToolButton>

namespace {

class RomanLineTest : public MainFormFixture
{
protected:
    QLabel* line() const { return control<QLabel>("labRoman"); }

    // The label elides; its tooltip holds the whole line.
    QString lineText() const
    {
        QApplication::processEvents();
        return line()->toolTip();
    }
};

} // namespace

TEST_F(RomanLineTest, ToggleShowsTheOutputPaneInLatinLettersAndIsRemembered)
{
    open();
    auto* output = control<Pane>("E2");
    const QRect fullPane = output->geometry();
    EXPECT_FALSE(line()->isVisible());

    QTest::mouseClick(control<QToolButton>("btnRoman"), Qt::LeftButton);
    ASSERT_TRUE(line()->isVisible());
    EXPECT_TRUE(settingsContent().contains("RomanLine=1")) << settingsContent().constData();
    // The line sits below the pane, inside the pane's old place.
    EXPECT_LT(output->geometry().bottom(), line()->geometry().top());
    EXPECT_LE(line()->geometry().bottom(), fullPane.bottom());

    setPaneText(*output, "नमस्कार, मित्रा!\r\nदुसऱ्या ओळीत १२ शब्द");
    EXPECT_EQ(lineText(), "namaskār, mitrā!");
    QTextCursor cursor = output->textCursor();
    cursor.movePosition(QTextCursor::End);
    output->setTextCursor(cursor);
    EXPECT_EQ(lineText(), "dusaryā ōḷīt 12 śabda");

    QTest::mouseClick(control<QToolButton>("btnRoman"), Qt::LeftButton);
    EXPECT_FALSE(line()->isVisible());
    EXPECT_EQ(output->geometry(), fullPane);
    EXPECT_TRUE(settingsContent().contains("RomanLine=0"));
}

TEST_F(RomanLineTest, FollowsTheDirectionToTheInputPaneAndItsTyping)
{
    writeSettings("[General]\r\nDirection=1\r\n[Marathi]\r\nRomanLine=1\r\n");
    open();
    auto* input = control<Pane>("E1");
    auto* output = control<Pane>("E2");
    const QRect outputPlace = output->geometry();
    ASSERT_TRUE(line()->isVisible());
    EXPECT_TRUE(control<QToolButton>("btnRoman")->isChecked());
    EXPECT_LT(input->geometry().bottom(), line()->geometry().top());
    EXPECT_GT(output->geometry().top(), line()->geometry().bottom());

    input->setFocus();
    for (const QChar c : QStringLiteral("मराठी भाषा")) {
        QTest::sendKeyEvent(QTest::Click, input, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    EXPECT_EQ(lineText(), "marāṭhī bhāṣā");

    QTest::mouseClick(control<QRadioButton>("rbEngToChn"), Qt::LeftButton);
    setPaneText(*output, "घर");
    EXPECT_EQ(lineText(), "ghar");
    EXPECT_LT(output->geometry().bottom(), line()->geometry().top());
    EXPECT_EQ(output->geometry().top(), outputPlace.top());
}
