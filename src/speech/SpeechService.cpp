// The reading-aloud service.
#include "SpeechService.h"

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

QString SpeechService::check()
{
    for (const char* language : {"mr", "en"}) {
        const std::string missing = SpeechEngine::checkVoice(language);
        if (!missing.empty()) {
            return QString::fromStdString(missing);
        }
    }
    std::string error;
    if (!outputFactory()(SpeechEngine::sampleRate(), error)) {
        return QString::fromStdString(error);
    }
    return {};
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
        std::unique_ptr<AudioOutput> output = factory(SpeechEngine::sampleRate(), problem);
        if (output) {
            problem = SpeechEngine::synthesise(
                utf8, language, [&](const std::int16_t* samples, std::size_t count) {
                    return !*stopFlag && output->write(samples, count);
                });
            if (*stopFlag) {
                output->discard();
            } else {
                output->drain();
            }
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
