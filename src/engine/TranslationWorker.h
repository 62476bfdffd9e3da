// One translation on its own thread: sends the request, fills the result buffer and tells the
// main window which way it ended. The window's side is reached only through TranslationHost.
#pragma once

#include <string>

class HttpClient;

// The two completion events a worker posts to the main window.
enum class TranslationEvent
{
    Done = 0x1401, // the buffer holds the answer body (empty after a failed GET)
    Failed = 0x1402, // the buffer holds the failure's message unless it held text already
};

// What the worker needs from the main window; called on the worker's thread.
class TranslationHost
{
public:
    virtual ~TranslationHost() = default;
    // Queues the event for the GUI thread; false when the queue refused it.
    virtual bool postEvent(TranslationEvent event) = 0;
    // Shows an information message box on the GUI thread and returns once it was closed.
    virtual void showMessage(const std::string& text) = 0;
};

struct TranslationJob
{
    std::string serviceBaseAddress;
    std::u16string text;
    std::string sourceCode; // "en" or "mr"
    std::string targetCode;
};

class TranslationWorker
{
public:
    // Starts a detached thread that runs the job once and then frees itself. Until it posts its
    // event the worker alone uses client and resultBuffer; host, client and resultBuffer must
    // stay alive until the event has been handled.
    static void start(
        TranslationHost& host, HttpClient& client, TranslationJob job, std::string& resultBuffer);

    // Runs the job on the calling thread; start() runs this on the new one.
    static void translate(TranslationHost& host, HttpClient& client, const TranslationJob& job,
        std::string& resultBuffer);

    // Threads started by start() that have not ended yet.
    static int running();

private:
    static void post(TranslationHost& host, TranslationEvent event);
};
