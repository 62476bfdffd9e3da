// Parts, requests, retries and the assembly of the translation.
#include "TranslateText.h"

#include "FormText.h"
#include "HttpClient.h"
#include "InterpretResult.h"
#include "TextSplitter.h"
#include "TranslationRequest.h"
#include "Unicode.h"

namespace {

// The host the user's words name: no scheme, no port, no path.
std::string hostOf(std::string_view address)
{
    if (const std::size_t scheme = address.find("://"); scheme != std::string_view::npos) {
        address.remove_prefix(scheme + 3);
    }
    address = address.substr(0, address.find('/'));
    if (!address.starts_with('[')) {
        address = address.substr(0, address.find(':'));
    }
    return std::string(address);
}

bool isBlankChar(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\u00A0';
}

std::u16string_view trailingBlanks(std::u16string_view text)
{
    std::size_t start = text.size();
    while (start > 0 && isBlankChar(text[start - 1])) {
        --start;
    }
    return text.substr(start);
}

bool contains(std::string_view text, std::string_view part)
{
    std::string lower(text);
    for (char& c : lower) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
    }
    return lower.find(part) != std::string::npos;
}

class PartTranslator
{
public:
    PartTranslator(HttpClient& client, const TranslationJob& job, const CancelToken& cancel,
        TranslationObserver& observer, TranslationOutcome& outcome)
        : m_client(client)
        , m_job(job)
        , m_cancel(cancel)
        , m_observer(observer)
        , m_outcome(outcome)
        , m_host(hostOf(job.serviceBaseAddress))
    { }

    // One part, with its retries; nothing when it failed (the failure is in the outcome).
    std::optional<std::u16string> translate(std::u16string_view part)
    {
        int retries = 0;
        for (;;) {
            if (m_cancel.cancelled()) {
                return fail(makeFailure(FailureKind::Cancelled, m_host));
            }
            TranslationFailure failure;
            if (std::optional<std::u16string> done = exchange(part, failure)) {
                return done;
            }
            if (m_cancel.cancelled()) {
                return fail(makeFailure(FailureKind::Cancelled, m_host));
            }
            const std::optional<int> delay = failure.retryable()
                ? m_job.retry.delayBeforeRetry(retries, m_secondsWaited, failure.retryAfterSeconds)
                : std::nullopt;
            if (!delay) {
                return fail(std::move(failure));
            }
            for (int left = *delay; left > 0; --left) {
                m_observer.retryCountdown(left, failure);
                if (!m_cancel.waitFor(m_job.retry.secondLength)) {
                    return fail(makeFailure(FailureKind::Cancelled, m_host));
                }
            }
            m_secondsWaited += *delay;
            ++retries;
        }
    }

private:
    std::optional<std::u16string> fail(TranslationFailure failure)
    {
        m_outcome.failure = std::move(failure);
        return std::nullopt;
    }

    std::optional<std::u16string> exchange(std::u16string_view part, TranslationFailure& failure)
    {
        const TranslationRequest request = TranslationRequest::compose(m_job.serviceBaseAddress,
            encodeFormText(Unicode::toUtf8(part)), m_job.sourceCode, m_job.targetCode);
        std::string answer;
        ++m_outcome.requests;
        try {
            if (request.post) {
                m_client.submitForm(request.url, request.fields, answer);
            } else {
                m_client.fetchUrl(request.url, answer);
            }
        } catch (const std::exception& error) {
            failure = classifyFailure(error, m_client.response(), m_host);
            return std::nullopt;
        }
        const HttpResponse& response = m_client.response();
        // The service's "unusual traffic" page comes as a web page where JSON belongs.
        if (contains(response.contentType(), "text/html")) {
            failure = makeFailure(FailureKind::Captcha, m_host, response.statusLine);
            return std::nullopt;
        }
        if (response.contentLength >= 0
            && answer.size() < static_cast<std::uint64_t>(response.contentLength)) {
            failure = makeFailure(FailureKind::ConnectionClosed, m_host);
            return std::nullopt;
        }
        std::u16string translation;
        std::string message;
        interpretResult(Unicode::fromUtf8(answer), false, translation, message);
        if (!message.empty()) {
            failure = makeFailure(FailureKind::BadAnswer, m_host, message);
            return std::nullopt;
        }
        if (translation.empty() && trailingBlanks(part).size() < part.size()) {
            failure = makeFailure(FailureKind::NoTranslation, m_host);
            return std::nullopt;
        }
        return translation;
    }

    HttpClient& m_client;
    const TranslationJob& m_job;
    const CancelToken& m_cancel;
    TranslationObserver& m_observer;
    TranslationOutcome& m_outcome;
    std::string m_host;
    // Waits are counted for the whole translation, so a text in many parts waits no longer than
    // a text in one.
    int m_secondsWaited = 0;
};

} // namespace

void TranslationObserver::partStarted(int, int)
{ }

void TranslationObserver::retryCountdown(int, const TranslationFailure&)
{ }

TranslationOutcome translateText(HttpClient& client, const TranslationJob& job,
    const CancelToken& cancel, TranslationObserver* observer)
{
    TranslationObserver silent;
    TranslationObserver& told = observer ? *observer : silent;
    TranslationOutcome outcome;
    // A stop from an earlier translation must not end this one; a stop for this one is in the
    // token already and is seen before the first request.
    client.resetAbort();
    client.setMaxBodySize(MaxAnswerBytes);
    const std::vector<std::u16string_view> parts = splitText(job.text);
    outcome.partCount = static_cast<int>(parts.size());
    PartTranslator translator(client, job, cancel, told, outcome);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (parts.size() > 1) {
            told.partStarted(static_cast<int>(i) + 1, outcome.partCount);
        }
        std::optional<std::u16string> translated = translator.translate(parts[i]);
        if (!translated) {
            outcome.failure->part = static_cast<int>(i) + 1;
            outcome.failure->partCount = outcome.partCount;
            break;
        }
        outcome.translation += *translated;
        // The service may drop the break a part was cut after; the next part must not run on.
        const std::u16string_view cutAfter = trailingBlanks(parts[i]);
        if (i + 1 < parts.size() && !cutAfter.empty() && trailingBlanks(*translated).empty()) {
            outcome.translation += cutAfter;
        }
    }
    return outcome;
}
