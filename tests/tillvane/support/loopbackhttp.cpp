#include "loopbackhttp.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <QTest>

QByteArray loopbackGetBody(quint16 port, const char* path)
{
    QTcpSocket socket;
    QByteArray answer;
    QObject::connect(&socket, &QTcpSocket::connected, [&socket, path] {
        socket.write(QByteArray("GET ") + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    });
    QObject::connect(&socket, &QTcpSocket::readyRead, [&] { answer += socket.readAll(); });
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!QTest::qWaitFor([&socket] { return socket.state() == QAbstractSocket::UnconnectedState; }, 5000))
        return "no answer within 5 s";
    const int headerEnd = answer.indexOf("\r\n\r\n");
    return headerEnd < 0 ? QByteArray() : answer.mid(headerEnd + 4);
}
