// Romanised typing in the main window: Ctrl+M and the button by the input pane switch it, the
// table comes from Options, and without the table the button says what to install.
#include "InterfaceLanguage.h"
#include "MainFormFixture.h"
#include "Pane.h"
#include "PaneText.h"
#include "RomanTypingFilter.h"
#include "TfrmOptions.h"

#include <QComboBox>
#include <QToolButton>

namespace {

class TypingToggleTest : public MainFormFixture
{
protected:
    void TearDown() override
    {
        TfrmOptions::setModalRunner({});
        MainFormFixture::TearDown();
        InterfaceLanguage::instance().setCurrent(InterfaceLanguage::English);
    }

    QToolButton* button() const { return control<QToolButton>("btnRomanTyping"); }
    RomanTypingFilter* filter() const
    {
        return control<Pane>("E1")->findChild<RomanTypingFilter*>();
    }
};

} // namespace

TEST_F(TypingToggleTest, CtrlMSwitchesTheInputPaneBetweenMarathiAndLatin)
{
    open();
    auto* input = control<Pane>("E1");
    auto* output = control<Pane>("E2");
    QTRY_VERIFY(button()->isEnabled());
    input->setFocus();

    QTest::keyClick(input, Qt::Key_M, Qt::ControlModifier);
    EXPECT_TRUE(button()->isChecked());
    QTest::keyClicks(input, "namaskaara mitraa");
    // Leaving the pane commits the word being composed, so every command sees it.
    output->setFocus();
    EXPECT_EQ(getPaneText(*input), QString::fromUtf16(u"नमस्कार मित्रा"));

    input->setFocus();
    QTest::keyClick(input, Qt::Key_M, Qt::ControlModifier);
    EXPECT_FALSE(button()->isChecked());
    QTest::keyClicks(input, " ok");
    EXPECT_EQ(getPaneText(*input), QString::fromUtf16(u"नमस्कार मित्रा ok"));

    QTest::mouseClick(button(), Qt::LeftButton);
    EXPECT_TRUE(button()->isChecked());
    EXPECT_TRUE(input->hasFocus());
    QTest::keyClicks(input, " ho");
    QTest::keyClick(input, Qt::Key_Return);
    EXPECT_EQ(getPaneText(*input), QString::fromUtf16(u"नमस्कार मित्रा ok हो"));
}

TEST_F(TypingToggleTest, OptionsChooseTheTable)
{
    open();
    TfrmOptions::setModalRunner([](TfrmOptions& dialog) {
        dialog.show();
        auto* tables = dialog.findChild<QComboBox*>("cmbTypingTable");
        ASSERT_NE(tables, nullptr);
        EXPECT_EQ(tables->currentData().toString(), "mr-itrans");
        const int phonetic = tables->findData("mr-phonetic");
        ASSERT_GE(phonetic, 0);
        tables->setCurrentIndex(phonetic);
        dialog.done(QDialog::Accepted);
    });
    m_form->miOptionsClick();
    EXPECT_TRUE(settingsContent().contains("TypingTable=mr-phonetic"));
    EXPECT_EQ(filter()->table(), "mr-phonetic");
}

TEST_F(TypingToggleTest, AMissingTableDisablesTheButtonWithWhatToInstall)
{
    writeSettings("[Marathi]\r\nTypingTable=mr-notinstalled\r\n");
    open();
    QTRY_VERIFY(!button()->isEnabled());
    EXPECT_TRUE(button()->toolTip().contains("m17n-db")) << button()->toolTip().toStdString();
    auto* input = control<Pane>("E1");
    input->setFocus();
    QTest::keyClick(input, Qt::Key_M, Qt::ControlModifier);
    QTest::keyClicks(input, "ka");
    EXPECT_EQ(getPaneText(*input), "ka");

    // A change of interface language keeps the reason rather than the plain hint.
    writeSettings(
        "[General]\r\nDisplayLanguage=Marathi\r\n[Marathi]\r\nTypingTable=mr-notinstalled\r\n");
    m_form->refreshSettings();
    QApplication::processEvents();
    EXPECT_FALSE(button()->isEnabled());
    EXPECT_TRUE(button()->toolTip().contains("m17n-db")) << button()->toolTip().toStdString();
}
