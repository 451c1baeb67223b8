#include "tcpserverbinding.h"

#include "tcpclientsocketmanager.h"

#include <QTcpServer>
#include <QTcpSocket>

void bindServerToManager(QTcpServer* server, TcpClientSocketManager* manager)
{
    QObject::connect(server, &QTcpServer::newConnection, manager, [server, manager] {
        QTcpSocket* socket = server->nextPendingConnection();
        if (!socket || manager->addConnection(socket))
            return;
        socket->close();
        socket->deleteLater();
    });
}
