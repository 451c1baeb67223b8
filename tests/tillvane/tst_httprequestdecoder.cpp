#include "httprequest.h"
#include "httprequestdecoder.h"
#include "logcapture.h"
#include "receivebuffer.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{

enum class Outcome { Pending, Decoded, Refused };

// Decodes the next request of the buffer and keeps it for inspection.
class DecoderFixture : public ::testing::Test
{
protected:
    Outcome feed(const QByteArray& bytes)
    {
        buffer->append(bytes.constData(), bytes.size());
        return decodeNext();
    }

    Outcome decodeNext()
    {
        try {
            request.reset(decoder.decode(*buffer));
        } catch (...) {
            request.reset();
            return Outcome::Refused;
        }
        return request ? Outcome::Decoded : Outcome::Pending;
    }

    LogCapture log;
    HttpRequestDecoder decoder;
    std::unique_ptr<ReceiveBuffer> buffer = std::make_unique<ReceiveBuffer>();
    std::unique_ptr<HttpRequest> request;
};

struct PiecesCase {
    const char* name;
    QList<QByteArray> pieces; // each piece but the last leaves the request pending
    Outcome outcome;
    const char* logLine; // a message expected in the log, or empty
};

void PrintTo(const PiecesCase& c, std::ostream* os)
{
    *os << c.name;
}

class DecoderPieces : public DecoderFixture, public ::testing::WithParamInterface<PiecesCase>
{
};

TEST_P(DecoderPieces, DecodesOnlyOnceTheLastPieceArrived)
{
    const PiecesCase& c = GetParam();
    for (int i = 0; i + 1 < c.pieces.size(); ++i)
        ASSERT_EQ(feed(c.pieces.at(i)), Outcome::Pending) << "piece " << i;
    EXPECT_EQ(feed(c.pieces.last()), c.outcome);
    if (*c.logLine) {
        EXPECT_TRUE(log.contains(c.logLine)) << c.logLine;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, DecoderPieces,
    ::testing::Values(
        PiecesCase { "whole_get", { "GET / HTTP/1.1\r\nHost: a\r\n\r\n" }, Outcome::Decoded, "" },
        PiecesCase { "in_pieces",
            { "PO", "ST /kovra/v2/dotrans/ HTTP/1.1\r\n", "Content-Length: 6\r\n", "Host: a\r\n", "\r\n",
                "{\"a\"", ":1}" },
            Outcome::Decoded, "decode http in thread: " },
        PiecesCase { "bare_lf_lines", { "GET / HTTP/1.1\nHost: a\n", "\n" }, Outcome::Decoded, "" },
        PiecesCase { "two_method_letters_wait", { "GE", "T / HTTP/1.1\r\n\r\n" }, Outcome::Decoded, "" },
        PiecesCase { "method_list_run_waits", { "OPTIONS ", "/ HTTP/1.1\r\n\r\n" }, Outcome::Decoded, "" },
        PiecesCase {
            "not_a_method", { "\x16\x03\x01\x02" }, Outcome::Refused, "received data is not http package." },
        PiecesCase { "request_line_split_in_its_path",
            { "GET", " /kovra/v2/dot", "rans/ HTTP/1.1\r\n", "\r\n" }, Outcome::Decoded, "" },
        PiecesCase { "lower_case_method_then_path_waits", { "post /a", "bc HTTP/1.1\r\n\r\n" }, Outcome::Decoded,
            "" },
        PiecesCase { "unknown_method_before_the_space", { "GETS /nowhere" }, Outcome::Refused,
            "received data is not http package." },
        PiecesCase { "eight_bytes_of_no_method", { "HELO mail" }, Outcome::Refused,
            "received data is not http package." },
        PiecesCase {
            "two_part_request_line", { "GET /\r\n\r\n" }, Outcome::Refused, "http method line error." },
        PiecesCase { "crlf_before_request_line", { "\r\nGET / HTTP/1.1\r\n\r\n" }, Outcome::Refused,
            "http method line error." },
        PiecesCase { "body_over_limit", { "POST / HTTP/1.1\r\nContent-Length: 1048577\r\n\r\n" },
            Outcome::Refused, "decode body failed" }),
    [](const ::testing::TestParamInfo<PiecesCase>& info) { return std::string(info.param.name); });

TEST_F(DecoderFixture, RequestLineGivesMethodUrlVersionAndQuery)
{
    ASSERT_EQ(feed("get /kovra/v2/dotrans/?a=1&b=%41?c HTTP/1.0 extra\r\n\r\n"), Outcome::Decoded);
    EXPECT_EQ(request->method(), "get");
    EXPECT_EQ(request->version(), "HTTP/1.0");
    EXPECT_EQ(request->url().path(), "/kovra/v2/dotrans/");
    EXPECT_EQ(request->query(), "a=1&b=%41?c");

    ASSERT_EQ(feed("GET /sign/ HTTP/1.1\r\n\r\n"), Outcome::Decoded);
    EXPECT_EQ(request->query(), "/sign/");
}

TEST_F(DecoderFixture, HeadersKeepNamesAsReceivedAndTheLastValue)
{
    ASSERT_EQ(feed("GET / HTTP/1.1\r\n connection :  keep-alive \r\nX-A: 1\r\nX-A: 2\r\nno colon here\r\n"
                   "Host: 127.0.0.1:8888\r\n\r\n"),
        Outcome::Decoded);
    const auto& headers = request->headers();
    EXPECT_EQ(headers.value("connection"), "keep-alive");
    EXPECT_FALSE(headers.contains("Connection"));
    EXPECT_EQ(headers.value("X-A"), "2");
    EXPECT_EQ(headers.value("Host"), "127.0.0.1:8888");
    EXPECT_EQ(headers.size(), 4); // "Content-Length" is inserted (empty) by the body step
}

TEST_F(DecoderFixture, ZeroOrAbsentContentLengthGiveEmptyBody)
{
    ASSERT_EQ(feed("POST / HTTP/1.1\r\nContent-Length: 0\r\n\r\n"), Outcome::Decoded);
    EXPECT_TRUE(request->body().isEmpty());
    ASSERT_EQ(feed("POST / HTTP/1.1\r\n\r\n"), Outcome::Decoded);
    EXPECT_TRUE(request->body().isEmpty());
    EXPECT_TRUE(request->headers().contains("Content-Length"));
}

TEST_F(DecoderFixture, BodyIsUtf8AndBytesAfterItStayForTheNextRequest)
{
    const QByteArray body = QString::fromUtf8("{\"msg\":\"签到\"}").toUtf8();
    ASSERT_EQ(feed("POST /a HTTP/1.1\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n"
                  + body + "GET /b HTTP/1.1\r\n\r\n"),
        Outcome::Decoded);
    EXPECT_EQ(request->body(), QString::fromUtf8("{\"msg\":\"签到\"}"));
    ASSERT_EQ(decodeNext(), Outcome::Decoded);
    EXPECT_EQ(request->url().path(), "/b");
}

TEST_F(DecoderFixture, ShortBodyTakesTheNextRequestAsBody)
{
    EXPECT_EQ(feed("POST /a HTTP/1.1\r\nContent-Length: 30\r\n\r\nabc"), Outcome::Pending);
    ASSERT_EQ(feed("GET /b HTTP/1.1\r\n\r\nGET /c HTTP/1.1\r\n\r\n"), Outcome::Decoded);
    EXPECT_EQ(request->body(), "abcGET /b HTTP/1.1\r\n\r\nGET /c H");
}

TEST_F(DecoderFixture, ZeroByteEndsTheTextButItsBytesAreConsumed)
{
    const char raw[]
        = "POST / HTTP/1.1\r\nX-A: b\0c\r\nContent-Length: 5\r\n\r\nab\0cdGET /next HTTP/1.1\r\n\r\n";
    ASSERT_EQ(feed(QByteArray(raw, sizeof raw - 1)), Outcome::Decoded);
    EXPECT_EQ(request->headers().value("X-A"), "b");
    EXPECT_EQ(request->body(), "ab");
    ASSERT_EQ(decodeNext(), Outcome::Decoded);
    EXPECT_EQ(request->url().path(), "/next");
}

TEST_F(DecoderFixture, BodyLimitIs1048576Bytes)
{
    const QByteArray head = "POST / HTTP/1.1\r\nContent-Length: 1048576\r\n\r\n";
    ASSERT_EQ(feed(head + QByteArray(1048576, 'x')), Outcome::Decoded);
    EXPECT_EQ(request->body().size(), 1048576);

    EXPECT_EQ(feed("POST / HTTP/1.1\r\nContent-Length: 1048577\r\n\r\n" + QByteArray(1048577, 'x')),
        Outcome::Refused);
    EXPECT_TRUE(log.contains("body length >  1048576  cannot receive"));
}

TEST_F(DecoderFixture, RequestsWrappingAroundASmallStorageDecodeWholeAndInOrder)
{
    buffer = std::make_unique<ReceiveBuffer>(97);
    for (int i = 0; i < 40; ++i) {
        const QByteArray body = QByteArray(i % 7, 'b');
        const QByteArray path = "/p" + QByteArray::number(i);
        ASSERT_EQ(feed("POST " + path + " HTTP/1.1\r\nContent-Length: " + QByteArray::number(body.size())
                      + "\r\n\r\n" + body),
            Outcome::Decoded)
            << "request " << i;
        EXPECT_EQ(request->url().path(), path);
        EXPECT_EQ(request->body(), QString::fromLatin1(body));
    }
}

} // namespace
