// The translation worker thread.
#include "TranslationWorker.h"

#include "Exception.h"
#include "FormText.h"
#include "HttpClient.h"
#include "TranslationRequest.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

namespace {

std::atomic<int> runningWorkers {0};

bool isBlank(const std::string& text)
{
    return std::all_of(
        text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

} // namespace

void TranslationWorker::start(
    TranslationHost& host, HttpClient& client, TranslationJob job, std::string& resultBuffer)
{
    ++runningWorkers;
    std::thread([&host, &client, job = std::move(job), &resultBuffer] {
        translate(host, client, job, resultBuffer);
        --runningWorkers;
    }).detach();
}

int TranslationWorker::running()
{
    return runningWorkers;
}

void TranslationWorker::translate(
    TranslationHost& host, HttpClient& client, const TranslationJob& job, std::string& resultBuffer)
{
    try {
        const TranslationRequest request = TranslationRequest::compose(job.serviceBaseAddress,
            encodeFormText(utf16ToUtf8(job.text)), job.sourceCode, job.targetCode);
        std::string answer;
        if (request.post) {
            client.submitForm(request.url, request.fields, answer);
        } else {
            // A failed GET is shown at once and then ends like an empty answer.
            try {
                client.fetchUrl(request.url, answer);
            } catch (const Exception& failure) {
                host.showMessage(failure.message());
            }
        }
        resultBuffer += answer;
    } catch (const std::exception& failure) {
        // The buffer keeps text it already held; otherwise it gets the message.
        if (isBlank(resultBuffer)) {
            resultBuffer += failure.what();
        }
        post(host, TranslationEvent::Failed);
        return;
    } catch (...) {
        // Never let a failure end the thread without telling the window.
        post(host, TranslationEvent::Failed);
        return;
    }
    post(host, TranslationEvent::Done);
}

void TranslationWorker::post(TranslationHost& host, TranslationEvent event)
{
    while (!host.postEvent(event)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}
