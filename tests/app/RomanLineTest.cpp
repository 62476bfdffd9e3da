// The romanisation line: under the pane that holds Marathi, the whole of that pane's text at its
// zoomed size, shown by its toggle and remembered in the settings file.
#include "MainFormFixture.h"
#include "Pane.h"
#include "PaneText.h"

#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolButton>

namespace {

class RomanLineTest : public MainFormFixture
{
protected:
    QPlainTextEdit* line() const { return control<QPlainTextEdit>("labRoman"); }

    QString lineText() const
    {
        QApplication::processEvents();
        return line()->toPlainText();
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
    EXPECT_EQ(lineText(), "namaskār, mitrā!\ndusar̆yā ōḷīt 12 śabda");

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

TEST_F(RomanLineTest, WrapsALongTextAndFollowsTheZoom)
{
    writeSettings("[Marathi]\r\nRomanLine=1\r\nPlainEyelashRa=1\r\n");
    open();
    auto* output = control<Pane>("E2");
    QString paragraph;
    for (int i = 0; i < 60; ++i) {
        paragraph += QStringLiteral("दुसऱ्या ");
    }
    setPaneText(*output, paragraph.trimmed());
    EXPECT_EQ(lineText().count(QStringLiteral("dusaryā")), 60);
    // One paragraph, wrapped onto more lines than the line shows at once: it scrolls.
    EXPECT_GT(line()->document()->firstBlock().layout()->lineCount(), 3);
    EXPECT_GT(line()->verticalScrollBar()->maximum(), 0);

    const int before = line()->font().pointSize();
    output->setFocus();
    QTest::keyClick(output, Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(output, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(line()->font().pointSize(), output->font().pointSize());
    EXPECT_GT(line()->font().pointSize(), before);
    EXPECT_GE(line()->height(), QFontMetrics(line()->font()).lineSpacing());
    EXPECT_LT(output->geometry().bottom(), line()->geometry().top());
}
