// Reading a text aloud without holding up the window: synthesis and playback run on a thread of
// their own, one text at a time; a new text or stop() ends the one being read.
#pragma once

#include "AudioOutput.h"

#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

class SpeechService : public QObject
{
    Q_OBJECT

public:
    // Opens the output for a rate; tests put a recorder in place of the sound server.
    using OutputFactory = std::function<std::unique_ptr<AudioOutput>(int rate)>;
    static void setOutputFactory(OutputFactory factory);

    explicit SpeechService(QObject* parent = nullptr);
    ~SpeechService() override;

    // Reads text in the language ("mr" or "en"); the caller's tag comes back with finished.
    void speak(const QString& text, const std::string& language, int tag);
    void stop();
    bool isSpeaking() const { return m_speaking; }
    int speakingTag() const { return m_tag; }

    // Raises FeatureUnavailable with what is missing unless both voices and a sound device are
    // there. Slow (loads the libraries, asks the sound server): run it off the GUI thread.
    static void check();

signals:
    // The reading ended: done, stopped, or failed with problem.
    void finished(int tag, const QString& problem);

private:
    void join();

    std::thread m_worker;
    std::shared_ptr<std::atomic<bool>> m_stop;
    bool m_speaking = false;
    int m_tag = -1;
};
