// The small rules of a translation: how failures are told apart and reported, when a retry
// waits how long, and which direction a text's script asks for.
#include "Direction.h"
#include "HttpClient.h"
#include "HttpErrors.h"
#include "HttpResponse.h"
#include "RetryPolicy.h"
#include "SocketError.h"
#include "TextScript.h"
#include "TranslationFailure.h"

#include <gtest/gtest.h>

TEST(TranslationRulesTest, FailuresAreReportedInTheUsersWordsWithTheExactDetail)
{
    const struct
    {
        std::exception_ptr failure; // of the type the client raises
        FailureKind kind;
        bool warning;
        const char* report;
    } cases[] = {
        {std::make_exception_ptr(SocketError(11001)), FailureKind::HostNotFound, true,
            "Could not reach translate.googleapis.com: the host was not found. (Socket Error # "
            "11001)"},
        {std::make_exception_ptr(SocketError(10061)), FailureKind::Unreachable, true,
            "Could not reach translate.googleapis.com: the connection was refused or the network "
            "is unreachable. (Socket Error # 10061)"},
        {std::make_exception_ptr(SocketError(10065)), FailureKind::Unreachable, true, nullptr},
        {std::make_exception_ptr(SocketError(10060)), FailureKind::TimedOut, true,
            "translate.googleapis.com did not answer in time. (Socket Error # 10060)"},
        {std::make_exception_ptr(SocketError(10054)), FailureKind::ConnectionClosed, true, nullptr},
        {std::make_exception_ptr(ConnClosedGracefully()), FailureKind::ConnectionClosed, true,
            "The connection to translate.googleapis.com was closed before the answer arrived. "
            "(Connection Closed Gracefully.)"},
        {std::make_exception_ptr(TlsError("Error connecting with SSL.\r\nerror:0A000086:SSL "
                                          "routines::certificate verify failed")),
            FailureKind::SecureConnection, false,
            "A secure connection to translate.googleapis.com could not be made. (Error connecting "
            "with SSL. error:0A000086:SSL routines::certificate verify failed)"},
        {std::make_exception_ptr(ResponseTooLarge(HttpClient::MaxBodySize)), FailureKind::Other,
            false, "The translation failed. (Response body exceeds the 64 MiB limit.)"},
    };
    const HttpResponse none;
    for (const auto& c : cases) {
        try {
            std::rethrow_exception(c.failure);
        } catch (const std::exception& failure) {
            const TranslationFailure result
                = classifyFailure(failure, none, "translate.googleapis.com");
            EXPECT_EQ(result.kind, c.kind) << failure.what();
            EXPECT_EQ(result.isWarning(), c.warning) << failure.what();
            EXPECT_EQ(result.detail, failure.what());
            if (c.report) {
                EXPECT_EQ(result.reportText(), c.report);
            }
        }
    }
}

TEST(TranslationRulesTest, StatusFailuresAreToldApartByCodeAndRedirectTarget)
{
    const struct
    {
        int code;
        const char* extraLine;
        FailureKind kind;
        std::optional<int> retryAfter;
    } cases[] = {
        {403, nullptr, FailureKind::Forbidden, std::nullopt},
        {429, nullptr, FailureKind::RateLimited, std::nullopt},
        {429, "Retry-After: 7", FailureKind::RateLimited, 7},
        {503, "Retry-After:  12 ", FailureKind::RateLimited, 12},
        {302, "Location: https://www.google.com/sorry/index?continue=x", FailureKind::Captcha,
            std::nullopt},
        {302, "Location: https://translate.googleapis.com/other", FailureKind::HttpStatus,
            std::nullopt},
        {413, nullptr, FailureKind::TooLarge, std::nullopt},
        {414, nullptr, FailureKind::TooLarge, std::nullopt},
        {500, nullptr, FailureKind::HttpStatus, std::nullopt},
    };
    for (const auto& c : cases) {
        HttpResponse response;
        response.statusCode = c.code;
        if (c.extraLine) {
            response.headerLines.addLine(c.extraLine);
        }
        const std::string statusLine = "HTTP/1.1 " + std::to_string(c.code) + " Reason";
        const TranslationFailure result
            = classifyFailure(HttpProtocolError(statusLine, c.code, ""), response, "host");
        EXPECT_EQ(result.kind, c.kind) << c.code;
        EXPECT_EQ(result.retryAfterSeconds, c.retryAfter) << c.code;
        EXPECT_EQ(result.retryable(),
            c.kind == FailureKind::RateLimited || c.kind == FailureKind::Captcha);
        EXPECT_EQ(result.detail, statusLine);
    }
}

TEST(TranslationRulesTest, RetryAfterIsReadAsSecondsOrAsADate)
{
    const DateTime now = *parseHttpDate("Sun, 06 Nov 1994 08:49:37 GMT");
    const struct
    {
        const char* value;
        std::optional<int> seconds;
    } cases[] = {
        {"0", 0},
        {"120", 120},
        {"99999999999999999999", 1 << 30},
        {"Sun, 06 Nov 1994 08:50:07 GMT", 30},
        {"Sun, 06 Nov 1994 08:00:00 GMT", 0},
        {"", std::nullopt},
        {"soon", std::nullopt},
        {"-5", std::nullopt},
        {"5s", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseRetryAfter(c.value, now), c.seconds) << c.value;
    }
}

TEST(TranslationRulesTest,
    RetriesDoubleFromTwoSecondsWithinThreeTriesAndAMinuteAndWaitASecondAtLeast)
{
    const RetryPolicy policy;
    const struct
    {
        int retriesDone;
        int waited;
        std::optional<int> retryAfter;
        std::optional<int> delay;
    } cases[] = {
        {0, 0, std::nullopt, 2},
        {1, 2, std::nullopt, 4},
        {2, 6, std::nullopt, 8},
        {3, 14, std::nullopt, std::nullopt}, // three retries made
        {0, 0, 60, 60},
        {0, 0, 61, std::nullopt},
        {1, 40, 20, 20},
        {1, 40, 21, std::nullopt},
        // Never sooner than a second, and the last second of the minute still counts.
        {0, 0, 0, 1},
        {1, 59, 0, 1},
        {1, 60, 0, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(policy.delayBeforeRetry(c.retriesDone, c.waited, c.retryAfter), c.delay)
            << c.retriesDone << " " << c.waited;
    }
}

TEST(TranslationRulesTest, TheScriptOfMostLettersDecidesTheDirection)
{
    const struct
    {
        std::u16string text;
        TextScript script;
    } cases[] = {
        {u"Good morning, how are you?", TextScript::Latin},
        {u"सुप्रभात, तुम्ही कसे आहात?", TextScript::Devanagari},
        {u"मी Pune मध्ये राहतो आणि रोज ऑफिसला जातो", TextScript::Devanagari},
        {u"The word नमस्कार means hello in Marathi", TextScript::Latin},
        {u"नमस्कार hello", TextScript::Unclear},
        {u"12345 ?! ... ।", TextScript::Unclear},
        {u"", TextScript::Unclear},
        {u"Crème brûlée", TextScript::Latin},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dominantScript(c.text), c.script);
    }
    EXPECT_EQ(directionForScript(TextScript::Latin), Direction::EnglishToMarathi);
    EXPECT_EQ(directionForScript(TextScript::Devanagari), Direction::MarathiToEnglish);
    EXPECT_EQ(directionForScript(TextScript::Unclear), std::nullopt);
}
