// A local stand-in for the translation service: an HTTPS server on loopback (certificate of the
// test CA) that answers /translate_a/single the way the service does, or fails on demand. Each
// call below queues the reply to one request, in order.
#pragma once

#include "ScriptedServer.h"

#include <map>
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
    // Reads the request and closes the connection without answering.
    void closeConnection();
    // Reads the request and never answers; the connection stays open until the client gives up.
    void stayMute();

    // The raw bytes of every request received.
    std::vector<std::string> requests() const { return m_server.requests(); }
    // The form-decoded "q" field of every request (from the query of a GET, the body of a POST).
    std::vector<std::string> texts() const;
    int connectionCount() const { return m_server.connectionCount(); }

    // The JSON of an answer with these (translation, source) segments.
    static std::string answerBody(const std::vector<std::pair<std::string, std::string>>& segments,
        std::string_view sourceCode);

private:
    void answer(int code, std::string_view reason, std::string_view contentType, std::string body);

    ScriptedServer m_server;
    std::map<std::string, std::string, std::less<>> m_translations;
};
