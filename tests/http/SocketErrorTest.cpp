// Socket error texts and the translation of local error numbers onto them.
#include "SocketError.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <netdb.h>

TEST(SocketError, MessageCarriesCodeAndTableText)
{
    const struct
    {
        int code;
        const char* message;
    } cases[] = {
        {10060, "Socket Error # 10060\r\nConnection timed out."},
        {10061, "Socket Error # 10061\r\nConnection refused."},
        {11001, "Socket Error # 11001\r\nHost not found."},
        {10066, "Socket Error # 10066\r\nDirectory not empty"},
        {12345, "Socket Error # 12345\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SocketError(c.code).message(), c.message);
    }
}

TEST(SocketError, LocalNumbersMapOntoWindowsSocketsCodes)
{
    EXPECT_EQ(SocketError::codeFromErrno(ETIMEDOUT), 10060);
    EXPECT_EQ(SocketError::codeFromErrno(EAGAIN), 10060);
    EXPECT_EQ(SocketError::codeFromErrno(ECONNREFUSED), 10061);
    EXPECT_EQ(SocketError::codeFromErrno(ECONNRESET), 10054);
    EXPECT_EQ(SocketError::codeFromErrno(ECONNABORTED), 10053);
    EXPECT_EQ(SocketError::codeFromResolver(EAI_NONAME), 11001);
}

TEST(SocketError, NonSocketCodeRaisesTheSpecificError)
{
    EXPECT_THROW(SocketError::raise(10038), NotASocket);
    try {
        SocketError::raise(10054);
        FAIL();
    } catch (const NotASocket&) {
        FAIL();
    } catch (const SocketError& error) {
        EXPECT_EQ(error.code(), 10054);
    }
}
