#include "tcpclientsocketmanager.h"

#include "homeserviceimpl.h"
#include "httpconnection.h"
#include "httpcontroller.h"
#include "httprequestdecoder.h"
#include "misserviceforkovra.h"
#include "misserviceforkovrav2.h"

#include <QDebug>
#include <QHostAddress>
#include <QTcpSocket>

TcpClientSocketManager::TcpClientSocketManager(QObject* parent, bool idleEnabled)
    : QObject(parent)
    , idleEnabled(idleEnabled)
    , decoder(new HttpRequestDecoder)
    , controller(new HttpController)
    , homeService(std::make_unique<HomeServiceImpl>())
{
    controller->addRoute(QStringLiteral("/"), homeService.get())
        .addRoute(QStringLiteral("/kovra/v2/.*"), MisServiceForKovraV2::instance())
        .addRoute(QStringLiteral("/kovra/.*"), MisServiceForKovra::instance());
    idleSeconds = 120;
}

TcpClientSocketManager::~TcpClientSocketManager()
{
    for (HttpConnection* conn : qAsConst(connections)) {
        if (conn->isRunning()) {
            conn->stop();
            conn->wait();
        }
        delete conn;
    }
    connections.clear();
    delete decoder;
    delete controller;
}

bool TcpClientSocketManager::addConnection(QTcpSocket* socket)
{
    emit stopIdle();
    const QString name
        = QStringLiteral("%1:%2").arg(socket->peerAddress().toString()).arg(socket->peerPort());
    if (!connections.isEmpty()) {
        qDebug() << "too many connections, " << name << "will be refused.";
        return false;
    }
    qDebug() << "new connection " << name;
    auto* conn = new HttpConnection(socket, name);
    conn->setDecoder(decoder);
    conn->setController(controller);
    conn->start(QThread::InheritPriority);
    connections.insert(name, conn);
    connect(conn, &HttpConnection::threadFinished, this, &TcpClientSocketManager::onFinished);
    qDebug() << "HttpConnection running count: " << connections.size();
    return true;
}

void TcpClientSocketManager::setIdle(bool enabled, const QString& ip)
{
    idleEnabled = enabled;
    if (enabled) {
        idleAddress = ip;
        emit idle(idleSeconds, idleAddress);
    } else {
        emit stopIdle();
    }
}

void TcpClientSocketManager::onFinished(HttpConnection* conn)
{
    const QString name = conn->name();
    qDebug() << "HttpConnection thread is over.name:" << name;
    const auto found = connections.find(name);
    if (found != connections.end()) {
        HttpConnection* finished = found.value();
        if (finished->isRunning()) {
            qDebug() << "HttpConnection thread is over";
            finished->wait();
        }
        delete finished;
        connections.erase(found);
    }
    qDebug() << "HttpConnection alive count: " << connections.size();
    emit idle(idleSeconds, idleAddress);
}
