// The fake translation service's answers and request decoding.
#include "FakeTranslationService.h"

#include "TestPki.h"

#include <cstdio>

namespace {

std::string jsonString(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

std::string formDecoded(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int high = i + 2 < text.size() ? hexValue(text[i + 1]) : -1;
        const int low = i + 2 < text.size() ? hexValue(text[i + 2]) : -1;
        if (text[i] == '+') {
            out += ' ';
        } else if (text[i] == '%' && high >= 0 && low >= 0) {
            out += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The value of field q in "a=1&q=...&b=2".
std::string fieldQ(std::string_view fields)
{
    for (std::size_t start = 0; start <= fields.size();) {
        const std::size_t end = std::min(fields.find('&', start), fields.size());
        const std::string_view field = fields.substr(start, end - start);
        if (field.starts_with("q=")) {
            return formDecoded(field.substr(2));
        }
        start = end + 1;
    }
    return {};
}

// The text a request carries: the q field of a POST body or of a GET query.
std::string requestText(std::string_view request)
{
    const std::size_t headEnd = request.find("\r\n\r\n");
    const std::string_view requestLine = request.substr(0, request.find("\r\n"));
    const std::size_t query = requestLine.find('?');
    if (requestLine.starts_with("POST ")) {
        return fieldQ(request.substr(headEnd + 4));
    }
    if (query != std::string_view::npos) {
        const std::string_view target = requestLine.substr(query + 1);
        return fieldQ(target.substr(0, target.find(' ')));
    }
    return {};
}

// The source code of a request ("sl=").
std::string requestSource(std::string_view request)
{
    const std::size_t at = request.find("sl=");
    return at == std::string_view::npos ? "en" : std::string(request.substr(at + 3, 2));
}

std::string requestTarget(std::string_view request)
{
    const std::size_t at = request.find("tl=");
    return at == std::string_view::npos ? "mr" : std::string(request.substr(at + 3, 2));
}

} // namespace

FakeTranslationService::FakeTranslationService()
    : m_server(TestPki::instance().server())
{ }

const std::string& FakeTranslationService::caCertFile()
{
    return TestPki::instance().caCertFile();
}

void FakeTranslationService::addTranslation(std::string source, std::string translated)
{
    m_translations[std::move(source)] = std::move(translated);
}

std::string FakeTranslationService::answerBody(
    const std::vector<std::pair<std::string, std::string>>& segments, std::string_view sourceCode)
{
    std::string body = "[[";
    for (std::size_t i = 0; i < segments.size(); ++i) {
        body += (i > 0 ? ",[" : "[") + jsonString(segments[i].first) + ","
            + jsonString(segments[i].second) + ",null,null,3]";
    }
    return body + "],null," + jsonString(sourceCode) + "]";
}

FakeTranslationService::Segments FakeTranslationService::segmentsFor(
    std::string_view text, std::string_view targetCode) const
{
    Segments segments;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        const auto known = m_translations.find(line);
        std::string translated;
        if (known != m_translations.end()) {
            translated = known->second;
        } else if (m_upperCase) {
            translated = line;
            for (char& c : translated) {
                c = static_cast<char>(c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c);
            }
        } else if (!line.empty()) {
            translated = std::string("[").append(targetCode).append("] ").append(line);
        }
        const std::string lineEnd = end < text.size() ? "\n" : "";
        // A text ending in a line end gets no segment for the nothing after it.
        if (!(line.empty() && end == text.size() && start > 0)) {
            segments.emplace_back(translated + lineEnd, std::string(line) + lineEnd);
        }
        start = end + 1;
    }
    return segments;
}

std::string FakeTranslationService::translationOf(
    std::string_view text, std::string_view targetCode) const
{
    std::string joined;
    for (const auto& segment : segmentsFor(text, targetCode)) {
        joined += segment.first;
    }
    return joined;
}

void FakeTranslationService::answerTranslation(
    std::string_view text, std::string_view sourceCode, std::string_view targetCode)
{
    answer(200, "OK", "application/json; charset=utf-8",
        answerBody(segmentsFor(text, targetCode), sourceCode));
}

void FakeTranslationService::translateEveryRequest(std::size_t refuseAbove)
{
    m_server.setResponder([this, refuseAbove](const std::string& request) {
        const std::string text = requestText(request);
        if (text.size() > refuseAbove) {
            return std::pair(reply(413, "Request Entity Too Large", "text/html; charset=UTF-8",
                                 "<html><title>Error 413</title></html>"),
                ScriptedServer::Then::KeepOpen);
        }
        return std::pair(
            reply(200, "OK", "application/json; charset=utf-8",
                answerBody(segmentsFor(text, requestTarget(request)), requestSource(request))),
            ScriptedServer::Then::KeepOpen);
    });
}

void FakeTranslationService::answerTooManyRequests(std::optional<std::string> retryAfter)
{
    answer(429, "Too Many Requests", "text/html; charset=UTF-8",
        "<html><title>Error 429</title></html>",
        retryAfter ? "Retry-After: " + *retryAfter + "\r\n" : "");
}

void FakeTranslationService::answerCaptchaRedirect()
{
    answer(302, "Found", "text/html; charset=UTF-8", "<html>moved</html>",
        "Location: https://www.google.com/sorry/index?continue=https://translate.googleapis.com/"
        "translate_a/single\r\n");
}

void FakeTranslationService::answerHalf(ScriptedServer::Then then)
{
    const std::string body = answerBody({{"[mr] x", "x"}}, "en");
    const std::string whole = reply(200, "OK", "application/json; charset=utf-8", body);
    m_server.addReply(whole.substr(0, whole.size() - body.size() / 2), then);
}

void FakeTranslationService::stallHandshakes()
{
    m_server.setOnAccept(ScriptedServer::OnAccept::StaySilent);
}

void FakeTranslationService::answerStatus(int code, std::string_view reason)
{
    answer(code, reason, "text/html; charset=UTF-8",
        "<html><title>Error " + std::to_string(code) + "</title></html>");
}

void FakeTranslationService::answerGarbage()
{
    answer(200, "OK", "application/json; charset=utf-8", ")]}'\n<not json at all>");
}

void FakeTranslationService::closeConnection()
{
    m_server.addReply("", ScriptedServer::Then::Close);
}

void FakeTranslationService::stayMute()
{
    m_server.addReply("", ScriptedServer::Then::StaySilent);
}

std::string FakeTranslationService::reply(int code, std::string_view reason,
    std::string_view contentType, std::string_view body, std::string_view extraLines)
{
    return "HTTP/1.1 " + std::to_string(code) + " " + std::string(reason)
        + "\r\nContent-Type: " + std::string(contentType) + "\r\n" + std::string(extraLines)
        + "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + std::string(body);
}

void FakeTranslationService::answer(int code, std::string_view reason, std::string_view contentType,
    std::string body, std::string_view extraLines)
{
    m_server.addReply(reply(code, reason, contentType, body, extraLines));
}

std::vector<std::string> FakeTranslationService::texts() const
{
    std::vector<std::string> result;
    for (const std::string& request : m_server.requests()) {
        result.push_back(requestText(request));
    }
    return result;
}
