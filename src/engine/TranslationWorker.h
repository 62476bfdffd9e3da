// One translation on its own thread: runs translateText, leaves the outcome where the main window
// reads it and tells the window which way it ended. The window's side is reached only through
// TranslationHost.
#pragma once

#include "Preconnection.h"
#include "TranslateText.h"

class HttpClient;

// The two completion events a worker posts to the main window.
enum class TranslationEvent
{
    Done = 0x1401, // the outcome holds the translation
    Failed = 0x1402, // the outcome holds the failure (a stop included)
};

// What the worker needs from the main window; called on the worker's thread. The progress calls
// it inherits come before the completion event.
class TranslationHost : public TranslationObserver
{
public:
    // Queues the event for the GUI thread; false when the queue refused it.
    virtual bool postEvent(TranslationEvent event) = 0;
    // Before the job: waits until the client is free, readies it for the job and returns the lock
    // the worker holds while it uses the client. By default the client is the worker's already.
    virtual ClientLock takeClient(HttpClient& client, const TranslationJob& job);
};

class TranslationWorker
{
public:
    // Starts a detached thread that runs the job once and then frees itself. Until it posts its
    // event the worker alone uses client and outcome; host, client, cancel and outcome must stay
    // alive until the event has been handled. cancel (with client.abort()) stops it early.
    static void start(TranslationHost& host, HttpClient& client, TranslationJob job,
        const CancelToken& cancel, TranslationOutcome& outcome);

    // Runs the job on the calling thread; start() runs this on the new one.
    static void translate(TranslationHost& host, HttpClient& client, const TranslationJob& job,
        const CancelToken& cancel, TranslationOutcome& outcome);

    // Threads started by start() that have not ended yet.
    static int running();

private:
    static void post(TranslationHost& host, TranslationEvent event);
};
