// Runs one slow check (loading a library, opening a device) on a thread of its own, so the window
// never waits for it, and hands its answer back on the GUI thread. The thread is joined when the
// probe is destroyed.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <thread>

class BackgroundProbe : public QObject
{
    Q_OBJECT

public:
    // The check raises FeatureUnavailable with what is wrong; the answer gets that text, or an
    // empty one when all is well.
    using Check = std::function<void()>;
    using Answer = std::function<void(const QString& problem)>;

    BackgroundProbe(Check check, Answer answer, QObject* parent = nullptr);
    ~BackgroundProbe() override;

    // Starts the check once; later calls do nothing.
    void start();

private:
    Check m_check;
    Answer m_answer;
    std::thread m_thread;
};
