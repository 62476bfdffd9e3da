// What went wrong with a translation, told apart by the transport's failure (socket error code,
// TLS, status code, redirect target, content type), never by guessing from text.
#pragma once

#include "HttpDate.h"

#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class HttpResponse;

enum class FailureKind
{
    Cancelled,
    HostNotFound,
    Unreachable,
    TimedOut,
    ConnectionClosed,
    SecureConnection,
    Forbidden,
    RateLimited, // 429 or 503
    Captcha, // a redirect to the service's "unusual traffic" page, or such a page itself
    TooLarge, // 413 or 414
    HttpStatus,
    WebPage, // a success status with a web page in place of the answer
    BadAnswer,
    NoTranslation, // an answer whose segments hold no text for a text that has some
    Other,
};

struct TranslationFailure
{
    FailureKind kind = FailureKind::Other;
    // The user's words.
    std::string summary;
    // The transport's (or the reader's) exact text; empty when there is none.
    std::string detail;
    // How long the service asked to wait before the next request.
    std::optional<int> retryAfterSeconds;
    // Counted from 1; set when the text went out in more than one part.
    int part = 0;
    int partCount = 1;

    // Limits that pass: worth waiting for and trying again.
    bool retryable() const
    {
        return kind == FailureKind::RateLimited || kind == FailureKind::Captcha;
    }
    // Network trouble and limits are warnings; a refused or unreadable exchange is an error.
    bool isWarning() const;
    // Gives a text of the report in the interface language; without one the report is English.
    using Translator = std::function<std::string(const std::string&)>;
    // The one report: the part (if any), the user's words, then the detail on one line in
    // parentheses (only the code line of a socket error, which the words already explain). Each
    // of the three goes through inLanguage on its own, so each can be found in a table of texts.
    std::string reportText(const Translator& inLanguage = {}) const;
};

// host: the service's host, named in the user's words.
TranslationFailure classifyFailure(
    const std::exception& failure, const HttpResponse& lastResponse, std::string_view host);
TranslationFailure makeFailure(FailureKind kind, std::string_view host, std::string detail = {});

// Seconds a Retry-After value asks for (delta seconds or an HTTP date); nothing when unreadable.
std::optional<int> parseRetryAfter(std::string_view value, DateTime now);
