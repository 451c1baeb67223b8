#include "logcapture.h"
#include "loopbackclient.h"
#include "responseparts.h"
#include "tcpclientsocketmanager.h"
#include "tcpserverbinding.h"

#include <QHostAddress>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace
{

const QByteArray helloRequest = "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
const QByteArray keepAliveHello = "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: keep-alive\r\n\r\n";
const QString managerFree = "HttpConnection alive count:  0";
const QByteArray notFoundBody = "{\"code\": 404, \"msg\": \"not found\"}";
// Long enough for a queued event to be handled; only used to see that nothing more happens.
constexpr int quietPeriodMs = 150;

// A server on 127.0.0.1 (ephemeral port) feeding one manager, as the settings window does.
class ServerFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        manager = std::make_unique<TcpClientSocketManager>(nullptr, true);
        bindServerToManager(&server, manager.get());
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    }

    quint16 port() const { return server.serverPort(); }

    // Waits until the manager has deleted one more finished connection.
    bool waitForConnectionEnd() { return log.waitFor(managerFree, 5000, ++finishedConnections); }

    QByteArray bodyOf(const QByteArray& response) { return ResponseParts::parse(response).body; }

    // Whether a new client is accepted and answered.
    bool servesNextClient()
    {
        LoopbackClient next(port());
        next.send(helloRequest);
        return bodyOf(next.readResponse()) == "hello world.";
    }

    LogCapture log;
    QTcpServer server;
    std::unique_ptr<TcpClientSocketManager> manager;
    int finishedConnections = 0;
};

TEST_F(ServerFixture, AnswersHelloWorldAndClosesWithoutKeepAlive)
{
    LoopbackClient client(port());
    ASSERT_TRUE(client.isConnected());
    client.send(helloRequest);
    const ResponseParts response = ResponseParts::parse(client.readResponse());
    EXPECT_EQ(response.statusLine, "HTTP/1.1 200 OK");
    EXPECT_EQ(response.values("Content-Length"), QList<QByteArray> { "12" });
    EXPECT_EQ(response.body, "hello world.");
    EXPECT_TRUE(client.waitForClosed());
    EXPECT_TRUE(waitForConnectionEnd());
}

TEST_F(ServerFixture, KeepsTheConnectionOnlyForConnectionKeepAlive)
{
    struct Case {
        QByteArray header;
        bool kept;
    };
    const Case cases[] = {
        { "Connection: keep-alive\r\n", true },
        { "Connection: KEEP-Alive\r\n", true },
        { "connection: keep-alive\r\n", false },
        { "Connection: close\r\n", false },
        { "", false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.header.toStdString());
        LoopbackClient client(port());
        ASSERT_TRUE(client.isConnected());
        client.send("GET / HTTP/1.1\r\n" + c.header + "\r\n");
        EXPECT_EQ(bodyOf(client.readResponse()), "hello world.");
        if (c.kept) {
            client.send("GET /kovra/sign/ HTTP/1.1\r\n" + c.header + "\r\n");
            EXPECT_EQ(bodyOf(client.readResponse()), notFoundBody);
            client.close();
        }
        EXPECT_TRUE(client.waitForClosed());
        ASSERT_TRUE(waitForConnectionEnd());
    }
}

TEST_F(ServerFixture, RefusesASecondClientWhileOneIsConnected)
{
    QSignalSpy stopIdle(manager.get(), &TcpClientSocketManager::stopIdle);
    LoopbackClient first(port());
    first.send(keepAliveHello);
    ASSERT_EQ(bodyOf(first.readResponse()), "hello world.");

    LoopbackClient second(port());
    EXPECT_TRUE(second.waitForClosed());
    EXPECT_TRUE(second.pending().isEmpty());
    EXPECT_TRUE(log.contains(
        QStringLiteral("too many connections,  \"127.0.0.1:%1\" will be refused.").arg(second.localPort())));
    EXPECT_EQ(stopIdle.count(), 2);

    first.send(keepAliveHello);
    EXPECT_EQ(bodyOf(first.readResponse()), "hello world.");
    first.close();
    ASSERT_TRUE(waitForConnectionEnd());
    EXPECT_TRUE(servesNextClient());
}

TEST_F(ServerFixture, AnswersOnlyWhenTheBodyArrivedInALaterSegment)
{
    LoopbackClient client(port());
    client.send("POST /kovra/v2/dotrans/ HTTP/1.1\r\nContent-Length: 5\r\n\r\n");
    ASSERT_TRUE(log.waitFor("\"Content-Length: 5\""));
    QTest::qWait(quietPeriodMs);
    EXPECT_TRUE(client.pending().isEmpty());
    client.send("12345");
    EXPECT_EQ(bodyOf(client.readResponse()), notFoundBody);
    EXPECT_TRUE(client.waitForClosed());
}

TEST_F(ServerFixture, SecondPipelinedRequestWaitsForMoreData)
{
    LoopbackClient client(port());
    client.send("GET /first HTTP/1.1\r\nConnection: keep-alive\r\n\r\n" + keepAliveHello);
    EXPECT_EQ(bodyOf(client.readResponse()), notFoundBody);
    QTest::qWait(quietPeriodMs);
    EXPECT_TRUE(client.pending().isEmpty());

    client.send(helloRequest);
    EXPECT_EQ(bodyOf(client.readResponse()), "hello world.");
    QTest::qWait(quietPeriodMs);
    EXPECT_TRUE(client.pending().isEmpty());
}

TEST_F(ServerFixture, PeerCloseFreesTheManagerForTheNextClient)
{
    {
        LoopbackClient client(port());
        client.send(keepAliveHello);
        ASSERT_EQ(bodyOf(client.readResponse()), "hello world.");
        client.close();
        ASSERT_TRUE(waitForConnectionEnd());
    }
    EXPECT_TRUE(log.contains("loo_stop:"));
    EXPECT_TRUE(log.contains("~EventLoop()"));
    EXPECT_TRUE(log.contains("~HttpConnection()"));
    EXPECT_TRUE(servesNextClient());
}

TEST_F(ServerFixture, DataThatIsNotHttpIsDroppedWithoutReply)
{
    LoopbackClient client(port());
    client.send("\x16\x03\x01\x02\x00\x01\x00\x01\xfc\x03\x03");
    EXPECT_TRUE(client.waitForClosed());
    EXPECT_TRUE(client.pending().isEmpty());
    EXPECT_TRUE(log.contains("received data is not http package."));
}

TEST_F(ServerFixture, OverflowingTheReceiveStorageDropsOnlyThatClient)
{
    {
        LoopbackClient client(port());
        client.send("GET / HTTP/1.1\r\nX-Long: " + QByteArray(10 * 1024 * 1024 + 4096, 'a'));
        EXPECT_TRUE(client.waitForClosed(30000));
        EXPECT_TRUE(client.pending().isEmpty());
        ASSERT_TRUE(waitForConnectionEnd());
    }
    EXPECT_TRUE(log.contains("receive buffer overflow, connection stopped."));
    EXPECT_TRUE(servesNextClient());
}

TEST_F(ServerFixture, AnnouncesIdleAfterEveryConnectionAndStopIdleAtEveryAccept)
{
    QSignalSpy idle(manager.get(), &TcpClientSocketManager::idle);
    QSignalSpy stopIdle(manager.get(), &TcpClientSocketManager::stopIdle);

    manager->setIdle(true, "192.168.1.20");
    ASSERT_EQ(idle.count(), 1);
    EXPECT_EQ(idle.takeFirst(), (QList<QVariant> { 120, QString("192.168.1.20") }));
    manager->setIdle(false, "10.0.0.1");
    EXPECT_EQ(stopIdle.count(), 1);
    EXPECT_EQ(idle.count(), 0);

    LoopbackClient client(port());
    client.send(helloRequest);
    ASSERT_EQ(bodyOf(client.readResponse()), "hello world.");
    ASSERT_TRUE(waitForConnectionEnd());
    EXPECT_EQ(stopIdle.count(), 2);
    ASSERT_EQ(idle.count(), 1);
    // Announced whatever the flag says, with the last address given.
    EXPECT_EQ(idle.takeFirst(), (QList<QVariant> { 120, QString("192.168.1.20") }));
}

TEST_F(ServerFixture, DestroyingTheManagerStopsALiveConnection)
{
    LoopbackClient client(port());
    client.send(keepAliveHello);
    ASSERT_EQ(bodyOf(client.readResponse()), "hello world.");
    manager.reset();
    EXPECT_TRUE(log.contains("~HttpConnection()"));
    EXPECT_TRUE(client.waitForClosed());
}

} // namespace
