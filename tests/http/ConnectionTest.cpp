// Buffered reading over a stream that delivers its bytes in arbitrary pieces: lines and blocks
// come out the same at every split, line limits hold, and a peer that goes away is reported the
// way the exchange relies on.
#include "Connection.h"

#include "HttpErrors.h"
#include "SocketError.h"

#include <deque>
#include <gtest/gtest.h>

namespace {

// How a stream ends once its pieces are read.
enum class End
{
    StayOpen, // nothing more arrives, and nothing is waiting
    Close, // 0 bytes
    Reset, // socket error 10054
    TlsFailure, // a TLS error, as a peer's alert gives
};

// Hands out the given pieces one read at a time, then ends.
class PiecewiseStream : public Stream
{
public:
    PiecewiseStream(std::deque<std::string> pieces, End end)
        : m_pieces(std::move(pieces))
        , m_end(end)
    {
        // An empty read means the end of the stream, so empty pieces are no pieces.
        std::erase(m_pieces, std::string());
    }

    std::size_t read(char* data, std::size_t size) override
    {
        if (m_pieces.empty()) {
            if (m_end == End::Reset) {
                throw SocketError(10054);
            }
            if (m_end == End::TlsFailure) {
                throw TlsError("tlsv1 alert internal error");
            }
            return 0;
        }
        std::string& piece = m_pieces.front();
        const std::size_t taken = std::min(size, piece.size());
        piece.copy(data, taken);
        piece.erase(0, taken);
        if (piece.empty()) {
            m_pieces.pop_front();
        }
        return taken;
    }
    void write(std::span<const std::string_view>) override { }
    bool waitReadable(int) override { return !m_pieces.empty() || m_end != End::StayOpen; }
    void close() override { }

private:
    std::deque<std::string> m_pieces;
    End m_end;
};

std::unique_ptr<Connection> connectionOver(std::deque<std::string> pieces, End end = End::Close)
{
    auto connection = std::make_unique<Connection>();
    connection->open(std::make_unique<PiecewiseStream>(std::move(pieces), end), "peer", 80, false);
    return connection;
}

} // namespace

TEST(Connection, EverySplitReadsTheSameLinesAndBody)
{
    const std::string message = "HTTP/1.1 200 OK\r\nA: b\r\nC: d\n\r\nbody bytes";
    for (std::size_t split = 0; split <= message.size(); ++split) {
        SCOPED_TRACE(split);
        auto connection = connectionOver({message.substr(0, split), message.substr(split)});
        EXPECT_EQ(connection->readLine(), "HTTP/1.1 200 OK");
        EXPECT_EQ(connection->readLine(), "A: b");
        EXPECT_EQ(connection->readLine(), "C: d");
        EXPECT_EQ(connection->readLine(), "");
        std::string body;
        while (connection->readInto(&body, 4) > 0) { }
        EXPECT_EQ(body, "body bytes");
        EXPECT_TRUE(connection->closedByPeer());
        EXPECT_THROW(connection->readLine(), ConnClosedGracefully);
    }
}

TEST(Connection, LineLimitCountsTheBytesBeforeLineFeed)
{
    const struct
    {
        std::string line;
        bool fits;
    } cases[] = {
        {std::string(16383, 'x') + "\r\n", true},
        {std::string(16384, 'x') + "\n", true},
        {std::string(16384, 'x') + "\r\n", false},
        {std::string(20000, 'x') + "\r\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line.size());
        // Pieces of 1000 bytes: the limit must hold while the line is still arriving.
        std::deque<std::string> pieces;
        for (std::size_t at = 0; at < c.line.size(); at += 1000) {
            pieces.push_back(c.line.substr(at, 1000));
        }
        auto connection = connectionOver(pieces);
        if (c.fits) {
            EXPECT_EQ(
                connection->readLine().size(), c.line.size() - (c.line.ends_with("\r\n") ? 2 : 1));
        } else {
            EXPECT_THROW(connection->readLine(), MaxLineLengthExceeded);
        }
    }
}

TEST(Connection, ResetKeepsWhatArrivedAndFailsOnlyWhenNothingIsLeft)
{
    auto partial = connectionOver({"last line without end"}, End::Reset);
    EXPECT_EQ(partial->readLine(), "last line without end");
    EXPECT_TRUE(partial->closedByPeer());
    EXPECT_THROW(partial->readLine(), ConnClosedGracefully);

    auto empty = connectionOver({}, End::Reset);
    try {
        empty->readLine();
        FAIL();
    } catch (const SocketError& error) {
        EXPECT_EQ(error.message(), "Socket Error # 10054\r\nConnection reset by peer.");
    }
    EXPECT_FALSE(empty->isOpen());
}

// Before a request, leftovers are dropped and a peer that went away while the connection was idle
// is noticed, whichever way it went, so that the request goes out on a new connection.
TEST(Connection, DiscardingLeftoversNoticesAPeerThatWentAway)
{
    for (const End end : {End::Close, End::Reset, End::TlsFailure}) {
        SCOPED_TRACE(static_cast<int>(end));
        auto connection = connectionOver({"stray bytes"}, end);
        EXPECT_NO_THROW(connection->discardUnread());
        EXPECT_FALSE(connection->isOpen());
    }
    auto idle = connectionOver({"stray bytes"}, End::StayOpen);
    idle->discardUnread();
    EXPECT_TRUE(idle->isOpen());
}
