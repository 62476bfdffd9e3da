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

void FakeTranslationService::answerTranslation(
    std::string_view text, std::string_view sourceCode, std::string_view targetCode)
{
    std::vector<std::pair<std::string, std::string>> segments;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        const auto known = m_translations.find(line);
        std::string translated = known != m_translations.end()
            ? known->second
            : std::string("[").append(targetCode).append("] ").append(line);
        const std::string lineEnd = end < text.size() ? "\n" : "";
        segments.emplace_back(translated + lineEnd, std::string(line) + lineEnd);
        start = end + 1;
    }
    answer(200, "OK", "application/json; charset=utf-8", answerBody(segments, sourceCode));
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

void FakeTranslationService::answer(
    int code, std::string_view reason, std::string_view contentType, std::string body)
{
    m_server.addReply("HTTP/1.1 " + std::to_string(code) + " " + std::string(reason)
        + "\r\nContent-Type: " + std::string(contentType)
        + "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body);
}

std::vector<std::string> FakeTranslationService::texts() const
{
    std::vector<std::string> result;
    for (const std::string& request : m_server.requests()) {
        const std::size_t headEnd = request.find("\r\n\r\n");
        const std::string_view requestLine
            = std::string_view(request).substr(0, request.find("\r\n"));
        const std::size_t query = requestLine.find('?');
        if (requestLine.starts_with("POST ")) {
            result.push_back(fieldQ(std::string_view(request).substr(headEnd + 4)));
        } else if (query != std::string_view::npos) {
            const std::string_view target = requestLine.substr(query + 1);
            result.push_back(fieldQ(target.substr(0, target.find(' '))));
        } else {
            result.emplace_back();
        }
    }
    return result;
}
