// The Speak buttons by the panes: they read the pane in its language through a recorder in place
// of the sound server, stop on a second press, and are disabled with the reason when there is no
// sound device.
#include "AudioOutput.h"
#include "Exception.h"
#include "MainFormFixture.h"
#include "Pane.h"
#include "PaneText.h"
#include "SpeechService.h"

#include <QToolButton>
#include <atomic>

namespace {

class Recorder : public AudioOutput
{
public:
    explicit Recorder(std::atomic<std::size_t>& heard)
        : m_heard(heard)
    { }
    bool write(const std::int16_t*, std::size_t count) override
    {
        m_heard += count;
        return true;
    }
    void drain() override { }
    void discard() override { }

private:
    std::atomic<std::size_t>& m_heard;
};

class SpeakButtonsTest : public MainFormFixture
{
protected:
    void TearDown() override
    {
        MainFormFixture::TearDown();
        SpeechService::setOutputFactory({});
    }

    QToolButton* button(const char* name) const { return control<QToolButton>(name); }

    std::atomic<std::size_t> heard {0};
};

} // namespace

TEST_F(SpeakButtonsTest, ReadsThePaneAndASecondPressStops)
{
    SpeechService::setOutputFactory(
        [this](int) -> std::unique_ptr<AudioOutput> { return std::make_unique<Recorder>(heard); });
    open();
    QTRY_VERIFY(button("btnSpeak2")->isEnabled());
    EXPECT_TRUE(button("btnSpeak")->isEnabled());

    setPaneText(*control<Pane>("E2"), QString::fromUtf8("नमस्कार, तुम्ही कसे आहात?"));
    QTest::mouseClick(button("btnSpeak2"), Qt::LeftButton);
    EXPECT_TRUE(button("btnSpeak2")->isChecked());
    QTRY_VERIFY_WITH_TIMEOUT(!button("btnSpeak2")->isChecked(), 10000);
    EXPECT_GT(heard.load(), 10000u);

    setPaneText(*control<Pane>("E1"), QString(5000, u'a'));
    QTest::mouseClick(button("btnSpeak"), Qt::LeftButton);
    EXPECT_TRUE(button("btnSpeak")->isChecked());
    QTest::mouseClick(button("btnSpeak"), Qt::LeftButton);
    EXPECT_FALSE(button("btnSpeak")->isChecked());
}

TEST_F(SpeakButtonsTest, WithoutASoundDeviceTheButtonsSayWhy)
{
    SpeechService::setOutputFactory([](int) -> std::unique_ptr<AudioOutput> {
        throw FeatureUnavailable("There is no sound device to read aloud with.");
    });
    open();
    QTest::qWait(200);
    QTRY_COMPARE(button("btnSpeak")->toolTip(), "There is no sound device to read aloud with.");
    EXPECT_FALSE(button("btnSpeak")->isEnabled());
    EXPECT_FALSE(button("btnSpeak2")->isEnabled());
}
