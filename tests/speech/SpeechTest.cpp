// Speech synthesised by the real espeak-ng voices into buffers: no sound device is needed.
#include "Exception.h"
#include "SpeechEngine.h"
#include "SpeechService.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<std::int16_t> speak(const std::string& text, const std::string& language)
{
    std::vector<std::int16_t> audio;
    EXPECT_NO_THROW(
        SpeechEngine::synthesise(text, language, [&](const std::int16_t* samples, std::size_t n) {
            audio.insert(audio.end(), samples, samples + n);
            return true;
        }));
    return audio;
}

double seconds(const std::vector<std::int16_t>& audio)
{
    return static_cast<double>(audio.size()) / SpeechEngine::sampleRate();
}

// A recorder in place of the sound server.
class Recorder : public AudioOutput
{
public:
    explicit Recorder(std::vector<std::int16_t>& heard)
        : m_heard(heard)
    { }
    bool write(const std::int16_t* samples, std::size_t count) override
    {
        m_heard.insert(m_heard.end(), samples, samples + count);
        return true;
    }
    void drain() override { }
    void discard() override { }

private:
    std::vector<std::int16_t>& m_heard;
};

} // namespace

TEST(SpeechEngine, MarathiAndEnglishGiveSpeechOfAPlausibleLength)
{
    ASSERT_NO_THROW(SpeechEngine::checkVoice("mr"));
    ASSERT_GT(SpeechEngine::sampleRate(), 8000);
    // Some ten syllables: about one to four seconds of speech.
    const auto marathi = speak("नमस्कार, तुम्ही कसे आहात?", "mr");
    EXPECT_GT(seconds(marathi), 0.8);
    EXPECT_LT(seconds(marathi), 5.0);
    const auto english = speak("Good morning, how are you?", "en");
    EXPECT_GT(seconds(english), 0.8);
    EXPECT_LT(seconds(english), 5.0);
    // A longer text takes longer to say, and it is not silence.
    const auto longer = speak("नमस्कार, तुम्ही कसे आहात? मी बरा आहे, धन्यवाद.", "mr");
    EXPECT_GT(seconds(longer), seconds(marathi) + 0.5);
    int loud = 0;
    for (const std::int16_t sample : longer) {
        loud += sample > 2000 || sample < -2000;
    }
    EXPECT_GT(loud, static_cast<int>(longer.size() / 50));
}

TEST(SpeechEngine, TheSinkCanStopAndAMissingVoiceIsNamed)
{
    std::size_t pieces = 0;
    EXPECT_NO_THROW(SpeechEngine::synthesise(std::string(2000, 'a') + " मराठी", "mr",
        [&](const std::int16_t*, std::size_t) { return ++pieces < 2; }));
    EXPECT_EQ(pieces, 2u);
    try {
        SpeechEngine::checkVoice("xx-nosuchvoice");
        ADD_FAILURE() << "a voice that is not there";
    } catch (const FeatureUnavailable& missing) {
        EXPECT_NE(missing.message().find("espeak-ng-data"), std::string::npos);
    }
}

TEST(SpeechService, ReadsOffTheCallingThreadAndStopsOnRequest)
{
    std::vector<std::int16_t> heard;
    SpeechService::setOutputFactory(
        [&](int) -> std::unique_ptr<AudioOutput> { return std::make_unique<Recorder>(heard); });
    SpeechService service;
    QSignalSpy finished(&service, &SpeechService::finished);
    service.speak(QString::fromUtf8("आज हवा छान आहे."), "mr", 1);
    EXPECT_TRUE(service.isSpeaking());
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_EQ(finished.at(0).at(0).toInt(), 1);
    EXPECT_EQ(finished.at(0).at(1).toString(), "");
    EXPECT_FALSE(service.isSpeaking());
    EXPECT_GT(heard.size(), static_cast<std::size_t>(SpeechEngine::sampleRate() / 2));

    // A long text stopped at once reports once and never again.
    service.speak(QString(20000, u'क'), "mr", 0);
    service.stop();
    EXPECT_FALSE(service.isSpeaking());
    EXPECT_EQ(finished.size(), 2);
    QTest::qWait(50);
    EXPECT_EQ(finished.size(), 2);

    std::string problem;
    SpeechService::setOutputFactory([](int) -> std::unique_ptr<AudioOutput> {
        throw FeatureUnavailable("There is no sound device to read aloud with.");
    });
    try {
        SpeechService::check();
        ADD_FAILURE() << "no sound device";
    } catch (const FeatureUnavailable& missing) {
        EXPECT_EQ(missing.message(), "There is no sound device to read aloud with.");
    }
    SpeechService::setOutputFactory({});
}
