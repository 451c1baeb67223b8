// Clients that misbehave on purpose: silent, slow, a storm of connects, endless
// streams and malformed requests. Whatever they do, the server stays up, keeps
// nothing of theirs once they are gone and serves the next client.
#include "loopbackclient.h"
#include "serverfixture.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{

const QByteArray notFoundBody = "{\"code\": 404, \"msg\": \"not found\"}";

class HostileClients : public ServerFixture
{
protected:
    // Whether a client connecting now is closed without receiving a byte.
    bool refusesAnotherClient()
    {
        LoopbackClient other(port());
        return other.waitForClosed() && other.pending().isEmpty();
    }

    // Waits until the manager has taken one more client.
    bool waitForAccept() { return log.waitFor(QStringLiteral("new connection "), 5000, ++acceptedConnections); }

    // Serves a fresh client and waits until its connection is gone again.
    bool servesNextClientAndFrees()
    {
        ++acceptedConnections;
        return servesNextClient() && waitForConnectionEnd();
    }

    int acceptedConnections = 0;
};

TEST_F(HostileClients, SilentClientHoldsTheServiceUntilItLeaves)
{
    struct Case {
        const char* name;
        QByteArray sent;
        QByteArray answer;
    };
    const Case cases[] = {
        { "connects and sends nothing", "", "" },
        { "keep-alive request, then silence", keepAliveHello, "hello world." },
        { "first letters of a method, then silence", "GE", "" },
        { "request line and half a header block, then silence", "GET / HTTP/1.1\r\nHost: 1", "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoopbackClient silent(port());
        ASSERT_TRUE(silent.isConnected());
        ASSERT_TRUE(waitForAccept());
        silent.send(c.sent);
        if (!c.answer.isEmpty()) {
            EXPECT_EQ(bodyOf(silent.readResponse()), c.answer);
        }

        // One connection at a time and no idle time-out: the silent client keeps the slot.
        EXPECT_TRUE(refusesAnotherClient());
        EXPECT_TRUE(refusesAnotherClient());

        silent.close();
        ASSERT_TRUE(waitForConnectionEnd());
        EXPECT_TRUE(servesNextClientAndFrees());
    }
}

TEST_F(HostileClients, RequestArrivingByteByByteIsAnsweredOnce)
{
    LoopbackClient slow(port());
    const QByteArray request = "POST /nowhere HTTP/1.1\r\nConnection: keep-alive\r\n"
                               "Content-Type: application/json\r\nContent-Length: 9\r\n\r\n{\"a\":\"b\"}";
    for (char byte : request) {
        slow.send(QByteArray(1, byte));
        QTest::qWait(1);
    }
    EXPECT_EQ(bodyOf(slow.readResponse()), notFoundBody);
    EXPECT_TRUE(slow.pending().isEmpty());

    slow.send(keepAliveHello);
    EXPECT_EQ(bodyOf(slow.readResponse()), "hello world.");
    slow.close();
    ASSERT_TRUE(waitForConnectionEnd());
    EXPECT_TRUE(servesNextClient());
}

// While its end is missing, a first line is judged by its first bytes: unless
// they can start a request line, the client is dropped without reply.
TEST_F(HostileClients, FirstLineThatCannotBeHttpIsDroppedWhileItTrickles)
{
    LoopbackClient slow(port());
    for (char byte : QByteArray("HELO mail.example")) {
        if (byte == '\0' || !slow.isConnected())
            break;
        slow.send(QByteArray(1, byte));
        QTest::qWait(1);
    }
    EXPECT_TRUE(slow.waitForClosed());
    EXPECT_TRUE(slow.pending().isEmpty());
    EXPECT_TRUE(log.contains("received data is not http package."));
    ASSERT_TRUE(waitForConnectionEnd());
    EXPECT_TRUE(servesNextClient());
}

TEST_F(HostileClients, ThousandsOfConnectsWhileOneIsBusyAreRefusedAndLeaveNothingBehind)
{
    constexpr int totalConnects = 2000;
    constexpr int connectsAtOnce = 20;

    LoopbackClient busy(port());
    busy.send(keepAliveHello);
    ASSERT_EQ(bodyOf(busy.readResponse()), "hello world.");

    int refused = 0;
    for (int started = 0; started < totalConnects; started += connectsAtOnce) {
        std::vector<std::unique_ptr<QTcpSocket>> storm;
        for (int i = 0; i < connectsAtOnce; ++i) {
            storm.push_back(std::make_unique<QTcpSocket>());
            storm.back()->connectToHost(QHostAddress::LocalHost, port());
        }
        // A socket still open after the wait counts as not refused below.
        static_cast<void>(QTest::qWaitFor(
            [&storm] {
                for (const auto& socket : storm) {
                    if (socket->state() != QAbstractSocket::UnconnectedState)
                        return false;
                }
                return true;
            },
            10000));
        for (const auto& socket : storm)
            refused += socket->state() == QAbstractSocket::UnconnectedState && socket->readAll().isEmpty();
    }
    EXPECT_EQ(refused, totalConnects);
    EXPECT_EQ(log.count("too many connections, "), totalConnects);

    // Every refused socket is gone again; only the busy client's connection is left.
    EXPECT_TRUE(QTest::qWaitFor([this] { return server.findChildren<QTcpSocket*>().isEmpty(); }, 5000));
    busy.send(keepAliveHello);
    EXPECT_EQ(bodyOf(busy.readResponse()), "hello world.");
    busy.close();
    ASSERT_TRUE(waitForConnectionEnd());
    EXPECT_TRUE(servesNextClient());
}

// Header lines without the empty line that ends the block: the server keeps the
// bytes until its storage is full and then drops the client, without parsing
// (and logging) the growing block again for every segment that arrives.
TEST_F(HostileClients, EndlessHeaderBlockIsDroppedWhenTheStorageIsFull)
{
    {
        LoopbackClient client(port());
        client.send("GET / HTTP/1.1\r\n");
        const QByteArray lines = QByteArray("X: y\r\n").repeated(64 * 1024);
        for (int sent = 0; sent <= 10 * 1024 * 1024 && client.isConnected(); sent += lines.size()) {
            client.send(lines);
            QTest::qWait(1);
        }
        EXPECT_TRUE(client.waitForClosed(30000));
        EXPECT_TRUE(client.pending().isEmpty());
        ASSERT_TRUE(waitForConnectionEnd(30000));
    }
    EXPECT_TRUE(log.contains("receive buffer overflow, connection stopped."));
    EXPECT_EQ(log.count("\"X: y\""), 0);
    EXPECT_TRUE(servesNextClient());
}

TEST_F(HostileClients, MalformedRequestsAreAnsweredOrDroppedAndTheNextClientServed)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        QByteArray answer; // empty: closed without a reply
    };
    const Case cases[] = {
        { "empty line first", "\r\n\r\n", "" },
        { "method alone", "GET\r\n\r\n", "" },
        { "method and path without version", "GET /\r\n\r\n", "" },
        { "tabs instead of spaces", "GET\t/\tHTTP/1.1\r\n\r\n", "" },
        { "zero byte inside the method", QByteArray("G\0ET / HTTP/1.1\r\n\r\n", 19), "" },
        { "binary first bytes", QByteArray("\xff\xfe\x00\x01\x80\x90\xa0\xb0\xc0", 9), "" },
        { "body longer than allowed", "POST /nowhere HTTP/1.1\r\nContent-Length: 1048577\r\n\r\n", "" },
        { "extra parts after the version", "GET / HTTP/1.1 and more parts\r\n\r\n", "hello world." },
        { "header line without a colon", "GET / HTTP/1.1\r\nno colon here\r\n\r\n", "hello world." },
        { "path that is not UTF-8", "GET /\xc3\x28\xff\xfe HTTP/1.1\r\n\r\n", notFoundBody },
        { "broken percent escapes", "GET /%zz%%/%00%ff? HTTP/1.1\r\n\r\n", notFoundBody },
        { "64 KiB path", "GET /" + QByteArray(64 * 1024, 'p') + " HTTP/1.1\r\n\r\n", notFoundBody },
        { "negative length", "POST /nowhere HTTP/1.1\r\nContent-Length: -1\r\n\r\n", notFoundBody },
        { "length beyond 64 bits", "POST /nowhere HTTP/1.1\r\nContent-Length: 184467440737095516160\r\n\r\n",
            notFoundBody },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoopbackClient client(port());
        ASSERT_TRUE(client.isConnected());
        client.send(c.bytes);
        if (!c.answer.isEmpty()) {
            EXPECT_EQ(bodyOf(client.readResponse()), c.answer);
        }
        EXPECT_TRUE(client.waitForClosed());
        EXPECT_TRUE(client.pending().isEmpty());
        ASSERT_TRUE(waitForConnectionEnd());
    }
    EXPECT_TRUE(servesNextClient());
}

} // namespace
