// The reading-aloud service.
#include "SpeechService.h"

#include "Exception.h"
#include "SpeechEngine.h"

namespace {

SpeechService::OutputFactory& outputFactory()
{
    static SpeechService::OutputFactory factory = &AudioOutput::open;
    return factory;
}

} // namespace

void SpeechService::setOutputFactory(OutputFactory factory)
{
    outputFactory() = factory ? std::move(factory) : &AudioOutput::open;
}

SpeechService::SpeechService(QObject* parent)
    : QObject(parent)
{ }

SpeechService::~SpeechService()
{
    stop();
}

void SpeechService::check()
{
    for (const char* language : {"mr", "en"}) {
        SpeechEngine::checkVoice(language);
    }
    outputFactory()(SpeechEngine::sampleRate());
}

void SpeechService::speak(const QString& text, const std::string& language, int tag)
{
    stop();
    m_speaking = true;
    m_tag = tag;
    m_stop = std::make_shared<std::atomic<bool>>(false);
    m_worker = std::thread([this, stopFlag = m_stop, utf8 = text.toStdString(), language, tag,
                               factory = outputFactory()] {
        std::string problem;
        try {
            const std::unique_ptr<AudioOutput> output = factory(SpeechEngine::sampleRate());
            SpeechEngine::synthesise(
                utf8, language, [&](const std::int16_t* samples, std::size_t count) {
                    return !*stopFlag && output->write(samples, count);
                });
            if (*stopFlag) {
                output->discard();
            } else {
                output->drain();
            }
        } catch (const Exception& failure) {
            problem = failure.message();
        }
        if (!*stopFlag) {
            // Posted to the service: dropped if it is gone by then.
            QMetaObject::invokeMethod(
                this,
                [this, tag, text = QString::fromStdString(problem)] {
                    join();
                    m_speaking = false;
                    emit finished(tag, text);
                },
                Qt::QueuedConnection);
        }
    });
}

void SpeechService::stop()
{
    if (m_stop) {
        *m_stop = true;
    }
    join();
    if (m_speaking) {
        m_speaking = false;
        emit finished(m_tag, {});
    }
}

void SpeechService::join()
{
    if (m_worker.joinable()) {
        m_worker.join();
    }
}
