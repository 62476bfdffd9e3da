// translate_bench: a 200 KB English text through translateText against the fake service on
// loopback (TLS), beside the bare exchanges of the same requests through the HTTP client alone.
// Prints total times, requests, connections and the program's own time per part: what
// splitting, encoding, reading the answers and joining them add to the service's time.
//
//   translate_bench [KILOBYTES] [ROUNDS]
#include "FakeTranslationService.h"
#include "FormText.h"
#include "HttpClient.h"
#include "RequestProfile.h"
#include "TextSplitter.h"
#include "TranslateText.h"
#include "TranslationRequest.h"
#include "Unicode.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::u16string englishText(std::size_t bytes)
{
    const std::u16string sentences[] = {
        u"The river was calm this morning and the boats went out early. ",
        u"Did anyone see the fishermen come back before noon? ", u"They did, with a good catch! ",
        u"Prices at the market rose a little over the week.\r\n", u"\r\n"};
    std::u16string text;
    for (std::size_t i = 0; text.size() < bytes; ++i) {
        text += sentences[(i * 3 + i / 4) % std::size(sentences)];
    }
    return text;
}

HttpClient& prepared(HttpClient& client, const std::string& base)
{
    client.ioHandler()->setRootCertFile(FakeTranslationService::caCertFile());
    prepareRequestHeaders(client, base, false, true);
    return client;
}

} // namespace

int main(int argc, char* argv[])
{
    const std::size_t kilobytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 200;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    const std::u16string text = englishText(kilobytes * 1024);
    const std::vector<std::u16string_view> parts = splitText(text);

    double best = 1e9;
    double bestBare = 1e9;
    int requests = 0;
    int connections = 0;
    for (int round = 0; round < rounds; ++round) {
        {
            FakeTranslationService service;
            service.translateEveryRequest();
            HttpClient client;
            TranslationJob job {service.baseAddress(), text, "en", "mr", {}};
            CancelToken cancel;
            const Clock::time_point start = Clock::now();
            const TranslationOutcome outcome
                = translateText(prepared(client, service.baseAddress()), job, cancel);
            best = std::min(best, secondsSince(start));
            if (!outcome.succeeded()) {
                std::fprintf(
                    stderr, "translation failed: %s\n", outcome.failure->reportText().c_str());
                return 1;
            }
            requests = outcome.requests;
            connections = service.connectionCount();
        }
        {
            // The peer: the same requests, composed beforehand, with nothing done to the answers.
            FakeTranslationService service;
            service.translateEveryRequest();
            HttpClient client;
            prepared(client, service.baseAddress());
            std::vector<TranslationRequest> composed;
            for (const std::u16string_view part : parts) {
                composed.push_back(TranslationRequest::compose(
                    service.baseAddress(), encodeFormText(Unicode::toUtf8(part)), "en", "mr"));
            }
            const Clock::time_point start = Clock::now();
            for (const TranslationRequest& request : composed) {
                std::string answer;
                if (request.post) {
                    client.submitForm(request.url, request.fields, answer);
                } else {
                    client.fetchUrl(request.url, answer);
                }
            }
            bestBare = std::min(bestBare, secondsSince(start));
        }
    }
    const double perPart = (best - bestBare) / static_cast<double>(parts.size()) * 1000.0;
    std::printf(
        "text: %zu KB, %zu parts (limit %zu units)\n", kilobytes, parts.size(), MaxPartLength);
    std::printf("translateText:       %.1f ms total, %d requests, %d connection(s)\n",
        best * 1000.0, requests, connections);
    std::printf("bare exchanges:      %.1f ms total\n", bestBare * 1000.0);
    std::printf("ratio:               %.2f\n", best / bestBare);
    std::printf("own time per part:   %.3f ms (goal: under 1 ms)\n", perPart);
    return 0;
}
