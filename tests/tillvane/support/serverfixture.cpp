#include "serverfixture.h"

#include "loopbackclient.h"
#include "responseparts.h"
#include "tcpserverbinding.h"

#include <QHostAddress>

const QByteArray ServerFixture::helloRequest = "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
const QByteArray ServerFixture::keepAliveHello
    = "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: keep-alive\r\n\r\n";

void ServerFixture::SetUp()
{
    manager = std::make_unique<TcpClientSocketManager>(nullptr, true);
    bindServerToManager(&server, manager.get());
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
}

bool ServerFixture::waitForConnectionEnd(int timeoutMs)
{
    return log.waitFor(QStringLiteral("HttpConnection alive count:  0"), timeoutMs, ++finishedConnections);
}

bool ServerFixture::servesNextClient()
{
    LoopbackClient next(port());
    next.send(helloRequest);
    return bodyOf(next.readResponse()) == "hello world.";
}

QByteArray ServerFixture::bodyOf(const QByteArray& response)
{
    return ResponseParts::parse(response).body;
}
