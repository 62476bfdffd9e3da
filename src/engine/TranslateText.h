// "Translate this text": the one way the program translates, used by the main window's worker and
// by the command line alike. A text that fits one request goes out as exactly one request; a
// longer one goes out in parts over the kept connection. Requests the service refuses for its
// limits are tried again after a wait. Every failure comes back classified, never as an exception.
#pragma once

#include "CancelToken.h"
#include "RetryPolicy.h"
#include "TranslationFailure.h"

#include <optional>
#include <string>

class HttpClient;

struct TranslationJob
{
    std::string serviceBaseAddress;
    std::u16string text;
    std::string sourceCode; // "en" or "mr"
    std::string targetCode;
    RetryPolicy retry;
};

// Told how a translation goes, on the translating thread.
class TranslationObserver
{
public:
    virtual ~TranslationObserver() = default;
    // Before each part of a text that goes out in more than one; part counts from 1.
    virtual void partStarted(int part, int partCount);
    // At the start of each second of a wait before the next try.
    virtual void retryCountdown(int secondsLeft, const TranslationFailure& cause);
};

struct TranslationOutcome
{
    // The whole translation, or after a failure the parts translated before it.
    std::u16string translation;
    std::optional<TranslationFailure> failure;
    int partCount = 1;
    // Requests sent, retries included.
    int requests = 0;

    bool succeeded() const { return !failure; }
};

// The client must carry the request profile already. A cancelled token (with the client's abort,
// which ends a blocked exchange) ends the translation with a Cancelled failure.
TranslationOutcome translateText(HttpClient& client, const TranslationJob& job,
    const CancelToken& cancel, TranslationObserver* observer = nullptr);
