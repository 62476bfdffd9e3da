// The exact bytes of translation requests, recorded by a loopback HTTPS server.
#include "FormText.h"
#include "HttpClient.h"
#include "RecordingHost.h"
#include "RequestProfile.h"
#include "ScriptedServer.h"
#include "TestPki.h"
#include "Unicode.h"

#include <gtest/gtest.h>

namespace {

const std::string okReply = "HTTP/1.1 200 OK\r\nContent-Length: 13\r\n\r\n[[[\"x\",\"y\"]]]";

class TranslationWireTest : public testing::Test
{
protected:
    TranslationWireTest()
    {
        m_client.ioHandler()->setRootCertFile(TestPki::instance().caCertFile());
    }

    // Sends one translation the way the Translate command does and returns the request's bytes.
    std::string send(const std::u16string& text, const std::string& source = "en",
        const std::string& target = "mr", bool otherEngine = false, bool keepAlive = true,
        const std::string& reply = okReply)
    {
        m_server.addReply(reply);
        prepareRequestHeaders(m_client, m_server.baseUrl(), otherEngine, keepAlive);
        CancelToken cancel;
        TranslationOutcome outcome;
        RecordingHost host;
        TranslationWorker::translate(
            host, m_client, {m_server.baseUrl(), text, source, target, {}}, cancel, outcome);
        EXPECT_EQ(host.waitForEvent(), std::vector<std::string> {"event: done"});
        return m_server.requests().back();
    }

    // The head lines after the request line, as the profile makes them.
    std::string headLines(const std::string& afterContentType = "") const
    {
        const std::string address = m_server.baseUrl();
        return "Content-Type: application/x-www-form-urlencoded\r\n" + afterContentType
            + "Cache-control: no-cache\r\n"
              "Pragma: no-cache\r\n"
              "Host: 127.0.0.1:"
            + std::to_string(m_server.port())
            + "\r\n"
              "Accept: */*\r\n"
              "Accept-Encoding: identity\r\n"
              "Accept-Language: en\r\n"
              "Referer: "
            + address
            + "\r\n"
              "User-Agent: Mozilla/5.0 (Windows; U; Windows NT 6.1; en-US) AppleWebKit/534.13 "
              "(KHTML, like Gecko) Chrome/9.0.597.67 Safari/534\r\n";
    }

    ScriptedServer m_server {TestPki::instance().server()};
    HttpClient m_client;
};

} // namespace

TEST_F(TranslationWireTest, ShortTextGoesAsGetWithTheProfileHeaders)
{
    EXPECT_EQ(send(u"Hello world"),
        "GET /translate_a/single?client=gtx&sl=en&tl=mr&dt=t&q=Hello+world HTTP/1.1\r\n"
            + headLines() + "\r\n");
    // The other direction differs in the two codes only.
    EXPECT_EQ(send(u"Hello world", "mr", "en"),
        "GET /translate_a/single?client=gtx&sl=mr&tl=en&dt=t&q=Hello+world HTTP/1.1\r\n"
            + headLines() + "\r\n");
}

TEST_F(TranslationWireTest, ProfileFlagsNeverReachTheWire)
{
    const std::string expected
        = "GET /translate_a/single?client=gtx&sl=en&tl=mr&dt=t&q=x HTTP/1.1\r\n" + headLines()
        + "\r\n";
    for (const bool otherEngine : {false, true}) {
        for (const bool keepAlive : {false, true}) {
            EXPECT_EQ(send(u"x", "en", "mr", otherEngine, keepAlive), expected)
                << otherEngine << keepAlive;
        }
    }
}

TEST_F(TranslationWireTest, EncodedLengthChoosesGetOrPost)
{
    struct Case
    {
        std::u16string text;
        bool post;
    };
    const Case cases[] = {
        {std::u16string(217, u'न'), false}, // 1953 encoded characters
        {std::u16string(218, u'न'), true}, // 1962
        {std::u16string(1959, u'a'), false},
        {std::u16string(1960, u'a'), true},
    };
    for (const Case& c : cases) {
        const std::string encoded = encodeFormText(Unicode::toUtf8(c.text));
        SCOPED_TRACE(encoded.size());
        const std::string request = send(c.text);
        if (!c.post) {
            EXPECT_EQ(request,
                "GET /translate_a/single?client=gtx&sl=en&tl=mr&dt=t&q=" + encoded + " HTTP/1.1\r\n"
                    + headLines() + "\r\n");
            continue;
        }
        // The encoded text is sent as it is: its "%" signs are not encoded again.
        const std::string body = "client=gtx&dt=t&q=" + encoded + "&sl=en&tl=mr";
        EXPECT_EQ(request,
            "POST /translate_a/single HTTP/1.1\r\n"
                + headLines("Content-Length: " + std::to_string(body.size()) + "\r\n") + "\r\n"
                + body);
    }
    // Every request, POST included, went as HTTP/1.1 over the one kept-alive connection.
    EXPECT_EQ(m_server.connectionCount(), 1);
}

TEST_F(TranslationWireTest, CookiesTheServiceSetComeBackAfterTheUserAgent)
{
    send(u"first", "en", "mr", false, true,
        "HTTP/1.1 200 OK\r\nSet-Cookie: NID=abc; Path=/; Secure; HttpOnly\r\nContent-Length: "
        "13\r\n\r\n[[[\"x\",\"y\"]]]");
    EXPECT_EQ(send(u"second"),
        "GET /translate_a/single?client=gtx&sl=en&tl=mr&dt=t&q=second HTTP/1.1\r\n" + headLines()
            + "Cookie: NID=abc\r\n\r\n");
}
