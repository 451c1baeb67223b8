#include "loopbackclient.h"

#include <QHostAddress>
#include <QRegularExpression>
#include <QTest>

LoopbackClient::LoopbackClient(quint16 port, int timeoutMs)
{
    m_socket.connectToHost(QHostAddress::LocalHost, port);
    // Callers check isConnected().
    static_cast<void>(
        QTest::qWaitFor([this] { return m_socket.state() == QAbstractSocket::ConnectedState; }, timeoutMs));
    m_localPort = m_socket.localPort();
}

bool LoopbackClient::isConnected() const
{
    return m_socket.state() == QAbstractSocket::ConnectedState;
}

quint16 LoopbackClient::localPort() const
{
    return m_localPort;
}

void LoopbackClient::send(const QByteArray& bytes)
{
    m_socket.write(bytes);
    m_socket.flush();
}

void LoopbackClient::close()
{
    m_socket.disconnectFromHost();
}

void LoopbackClient::collect()
{
    m_received += m_socket.readAll();
}

qint64 LoopbackClient::completeResponseLength() const
{
    const int headerEnd = m_received.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return -1;
    static const QRegularExpression contentLength(QStringLiteral("\r\nContent-Length: (\\d+)\r\n"));
    const auto match = contentLength.match(QString::fromLatin1(m_received.left(headerEnd + 2)));
    const qint64 bodyLength = match.hasMatch() ? match.captured(1).toLongLong() : 0;
    const qint64 total = headerEnd + 4 + bodyLength;
    return m_received.size() >= total ? total : -1;
}

QByteArray LoopbackClient::readResponse(int timeoutMs)
{
    if (!QTest::qWaitFor(
            [this] {
                collect();
                return completeResponseLength() >= 0;
            },
            timeoutMs))
        return QByteArray();
    const qint64 length = completeResponseLength();
    const QByteArray response = m_received.left(static_cast<int>(length));
    m_received.remove(0, static_cast<int>(length));
    return response;
}

bool LoopbackClient::waitForClosed(int timeoutMs)
{
    return QTest::qWaitFor(
        [this] {
            collect();
            return m_socket.state() == QAbstractSocket::UnconnectedState;
        },
        timeoutMs);
}

QByteArray LoopbackClient::pending()
{
    collect();
    return m_received;
}
