// Classifying a failed exchange and wording its report.
#include "TranslationFailure.h"

#include "HttpErrors.h"
#include "HttpResponse.h"
#include "SocketError.h"
#include "TranslationTexts.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace {

const char* summaryOf(FailureKind kind)
{
    using namespace TranslationTexts;
    switch (kind) {
    case FailureKind::Cancelled:
        return Stopped;
    case FailureKind::HostNotFound:
        return HostNotFound;
    case FailureKind::Unreachable:
        return Unreachable;
    case FailureKind::TimedOut:
        return TimedOut;
    case FailureKind::ConnectionClosed:
        return ConnectionClosed;
    case FailureKind::SecureConnection:
        return SecureConnection;
    case FailureKind::Forbidden:
        return Forbidden;
    case FailureKind::RateLimited:
        return RateLimited;
    case FailureKind::Captcha:
        return Captcha;
    case FailureKind::TooLarge:
        return TooLarge;
    case FailureKind::HttpStatus:
        return HttpStatus;
    case FailureKind::WebPage:
        return WebPage;
    case FailureKind::BadAnswer:
        return BadAnswer;
    case FailureKind::NoTranslation:
        return NoTranslation;
    case FailureKind::Other:
        break;
    }
    return OtherFailure;
}

FailureKind kindOfSocketError(int code)
{
    switch (code) {
    case 11001:
        return FailureKind::HostNotFound;
    case 10060:
        return FailureKind::TimedOut;
    case 10053:
    case 10054:
    case 10058:
        return FailureKind::ConnectionClosed;
    case 10049:
    case 10050:
    case 10051:
    case 10061:
    case 10064:
    case 10065:
        return FailureKind::Unreachable;
    default:
        return FailureKind::Other;
    }
}

bool isRedirect(int code)
{
    return code == 301 || code == 302 || code == 303 || code == 307 || code == 308;
}

FailureKind kindOfStatus(int code, const HttpResponse& response)
{
    if (code == 403) {
        return FailureKind::Forbidden;
    }
    if (code == 429 || code == 503) {
        return FailureKind::RateLimited;
    }
    // The service sends a client it distrusts to its "/sorry/" page.
    if (isRedirect(code)
        && response.headerLines.value("Location").find("/sorry/") != std::string::npos) {
        return FailureKind::Captcha;
    }
    if (code == 413 || code == 414) {
        return FailureKind::TooLarge;
    }
    return FailureKind::HttpStatus;
}

std::string oneLine(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            while (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n')) {
                ++i;
            }
            out += ' ';
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

bool TranslationFailure::isWarning() const
{
    switch (kind) {
    case FailureKind::HostNotFound:
    case FailureKind::Unreachable:
    case FailureKind::TimedOut:
    case FailureKind::ConnectionClosed:
    case FailureKind::RateLimited:
    case FailureKind::Captcha:
        return true;
    default:
        return false;
    }
}

std::string TranslationFailure::reportText(const Translator& inLanguage) const
{
    const auto shown
        = [&inLanguage](const std::string& text) { return inLanguage ? inLanguage(text) : text; };
    std::string text;
    if (partCount > 1 && part > 0 && kind != FailureKind::Cancelled) {
        text = shown(TranslationTexts::fillIn(
                   TranslationTexts::PartFailed, {std::to_string(part), std::to_string(partCount)}))
            + ' ';
    }
    text += shown(summary);
    if (!detail.empty()) {
        const std::string_view firstLine = detail.starts_with("Socket Error # ")
            ? std::string_view(detail).substr(0, detail.find("\r\n"))
            : std::string_view(detail);
        text += " (" + shown(oneLine(firstLine)) + ")";
    }
    return text;
}

TranslationFailure makeFailure(FailureKind kind, std::string_view host, std::string detail)
{
    TranslationFailure failure;
    failure.kind = kind;
    failure.summary = TranslationTexts::fillIn(summaryOf(kind), {std::string(host)});
    failure.detail = std::move(detail);
    return failure;
}

TranslationFailure classifyFailure(
    const std::exception& failure, const HttpResponse& lastResponse, std::string_view host)
{
    FailureKind kind = FailureKind::Other;
    std::optional<int> retryAfter;
    if (const auto* socket = dynamic_cast<const SocketError*>(&failure)) {
        kind = kindOfSocketError(socket->code());
    } else if (dynamic_cast<const ConnClosedGracefully*>(&failure)) {
        kind = FailureKind::ConnectionClosed;
    } else if (dynamic_cast<const TlsError*>(&failure)) {
        kind = FailureKind::SecureConnection;
    } else if (const auto* status = dynamic_cast<const HttpProtocolError*>(&failure)) {
        kind = kindOfStatus(status->statusCode(), lastResponse);
        retryAfter
            = parseRetryAfter(lastResponse.headerLines.value("Retry-After"), currentDateTime());
    }
    TranslationFailure result = makeFailure(kind, host, failure.what());
    result.retryAfterSeconds = retryAfter;
    return result;
}

std::optional<int> parseRetryAfter(std::string_view value, DateTime now)
{
    while (!value.empty() && std::isspace(static_cast<unsigned char>(value.front()))) {
        value.remove_prefix(1);
    }
    while (!value.empty() && std::isspace(static_cast<unsigned char>(value.back()))) {
        value.remove_suffix(1);
    }
    if (value.empty()) {
        return std::nullopt;
    }
    if (std::isdigit(static_cast<unsigned char>(value.front()))) {
        long long seconds = 0;
        const auto [end, error]
            = std::from_chars(value.data(), value.data() + value.size(), seconds);
        if (end != value.data() + value.size()) {
            return std::nullopt;
        }
        // Beyond any wait this program would make; kept from overflowing.
        return error == std::errc() ? static_cast<int>(std::min<long long>(seconds, 1 << 30))
                                    : 1 << 30;
    }
    const std::optional<DateTime> when = parseHttpDate(value);
    if (!when) {
        return std::nullopt;
    }
    const auto left = std::chrono::ceil<std::chrono::seconds>(*when - now).count();
    return static_cast<int>(std::clamp<long long>(left, 0, 1 << 30));
}
