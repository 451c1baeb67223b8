// Serves HTTP alone on 127.0.0.1:8888 until the settings window takes over start-up.
#include "tcpclientsocketmanager.h"
#include "tcpserverbinding.h"

#include <QCoreApplication>
#include <QDebug>
#include <QHostAddress>
#include <QTcpServer>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    TcpClientSocketManager manager(nullptr, true);
    QTcpServer server;
    bindServerToManager(&server, &manager);
    if (!server.listen(QHostAddress::LocalHost, 8888)) {
        qWarning() << "listen failed:" << server.errorString();
        return 1;
    }
    return app.exec();
}
