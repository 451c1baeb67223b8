#include "v2testserver.h"

#include "httpconnection.h"
#include "loopbackclient.h"

#include <QHostAddress>
#include <QTcpSocket>

V2TestServer::V2TestServer(AbstractHttpService* service)
{
    m_controller.addRoute(QStringLiteral("/kovra/v2/.*"), service);
    QObject::connect(&m_server, &QTcpServer::newConnection, [this] {
        QTcpSocket* socket = m_server.nextPendingConnection();
        auto* connection = new HttpConnection(socket, QStringLiteral("client %1").arg(m_connections.size()));
        connection->setDecoder(&m_decoder);
        connection->setController(&m_controller);
        m_connections.append(connection);
        connection->start();
    });
    m_server.listen(QHostAddress::LocalHost, 0);
}

V2TestServer::~V2TestServer()
{
    for (HttpConnection* connection : qAsConst(m_connections)) {
        connection->stop();
        connection->wait();
        delete connection;
    }
}

bool V2TestServer::isListening() const
{
    return m_server.isListening();
}

quint16 V2TestServer::serverPort() const
{
    return m_server.serverPort();
}

ResponseParts V2TestServer::exchange(
    const QByteArray& method, const QByteArray& path, const QByteArray& body, const QByteArray& extraHeaders)
{
    LoopbackClient client(serverPort());
    client.send(method + ' ' + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" + extraHeaders
        + "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
    // The library's time-out in the tests is a second or two.
    return ResponseParts::parse(client.readResponse(10000));
}
