// A local stand-in for the translation service: an HTTPS server on loopback (certificate of the
// test CA) that answers /translate_a/single the way the service does, or fails on demand. Each
// call below queues the reply to one request, in order.
#pragma once

#include "ScriptedServer.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class FakeTranslationService
{
public:
    FakeTranslationService();

    // "https://127.0.0.1:<port>", to use in place of the service's address.
    std::string baseAddress() const { return m_server.baseUrl(); }
    // The root certificate a client must trust to reach this service.
    static const std::string& caCertFile();

    // Used for lines with a known translation; other lines come back as "[<target>] <line>".
    void addTranslation(std::string source, std::string translated);

    // The service's answer for text: one segment per line (LF ends a line, a CR before it is
    // dropped), each segment's translation ending with "\n" except the last.
    void answerTranslation(std::string_view text, std::string_view sourceCode = "en",
        std::string_view targetCode = "mr");
    // A non-success status with a small HTML body, e.g. 403 "Forbidden" or 429 "Too Many Requests".
    void answerStatus(int code, std::string_view reason);
    // A success status whose body is not the service's JSON.
    void answerGarbage();
    // A success status with this body.
    void answerWith(std::string_view contentType, std::string body)
    {
        answer(200, "OK", contentType, std::move(body));
    }
    // 429 "Too Many Requests", with a Retry-After line when a value is given.
    void answerTooManyRequests(std::optional<std::string> retryAfter = std::nullopt);
    // What the service sends a client it distrusts: a redirect to its "/sorry/" page.
    void answerCaptchaRedirect();
    // Reads the request and closes the connection without answering.
    void closeConnection();
    // Reads the request and never answers; the connection stays open until the client gives up.
    void stayMute();
    // A success head and half the answer; then the connection closes, or stays open and silent.
    void answerHalfThenClose() { answerHalf(ScriptedServer::Then::Close); }
    void answerHalfThenStall() { answerHalf(ScriptedServer::Then::StaySilent); }
    // Connections are accepted but never get a TLS handshake.
    void stallHandshakes();
    // Every request that finds no queued reply is translated; one whose text is longer than
    // refuseAbove bytes (UTF-8) gets 413 instead.
    void translateEveryRequest(std::size_t refuseAbove = SIZE_MAX);
    // Lines are translated by upper-casing their ASCII letters instead of the "[<target>] " mark,
    // so a text cut between words translates the same in parts as in one piece.
    void setUpperCaseTranslation(bool on) { m_upperCase = on; }
    // The translation a single request for text gets (segments joined).
    std::string translationOf(std::string_view text, std::string_view targetCode = "mr") const;

    // The raw bytes of every request received.
    std::vector<std::string> requests() const { return m_server.requests(); }
    // The form-decoded "q" field of every request (from the query of a GET, the body of a POST).
    std::vector<std::string> texts() const;
    int connectionCount() const { return m_server.connectionCount(); }

    // The JSON of an answer with these (translation, source) segments.
    static std::string answerBody(const std::vector<std::pair<std::string, std::string>>& segments,
        std::string_view sourceCode);

private:
    using Segments = std::vector<std::pair<std::string, std::string>>;
    void answerHalf(ScriptedServer::Then then);
    Segments segmentsFor(std::string_view text, std::string_view targetCode) const;
    static std::string reply(int code, std::string_view reason, std::string_view contentType,
        std::string_view body, std::string_view extraLines = {});
    void answer(int code, std::string_view reason, std::string_view contentType, std::string body,
        std::string_view extraLines = {});

    ScriptedServer m_server;
    std::map<std::string, std::string, std::less<>> m_translations;
    bool m_upperCase = false;
};
