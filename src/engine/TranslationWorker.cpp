// The translation worker thread.
#include "TranslationWorker.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace {

std::atomic<int> runningWorkers {0};

} // namespace

void TranslationWorker::start(TranslationHost& host, HttpClient& client, TranslationJob job,
    const CancelToken& cancel, TranslationOutcome& outcome)
{
    ++runningWorkers;
    std::thread([&host, &client, job = std::move(job), &cancel, &outcome] {
        translate(host, client, job, cancel, outcome);
        --runningWorkers;
    }).detach();
}

int TranslationWorker::running()
{
    return runningWorkers;
}

void TranslationWorker::translate(TranslationHost& host, HttpClient& client,
    const TranslationJob& job, const CancelToken& cancel, TranslationOutcome& outcome)
{
    try {
        const ClientLock lock = host.takeClient(client, job);
        outcome = translateText(client, job, cancel, &host);
    } catch (const std::exception& failure) {
        // Only running out of memory gets here; the window must hear of it all the same.
        outcome = {};
        outcome.failure = makeFailure(FailureKind::Other, "", failure.what());
    }
    post(host, outcome.succeeded() ? TranslationEvent::Done : TranslationEvent::Failed);
}

ClientLock TranslationHost::takeClient(HttpClient&, const TranslationJob&)
{
    return {};
}

void TranslationWorker::post(TranslationHost& host, TranslationEvent event)
{
    while (!host.postEvent(event)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}
