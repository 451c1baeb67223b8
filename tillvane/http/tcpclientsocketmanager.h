#pragma once

#include <QMap>
#include <QObject>
#include <QString>

#include <memory>

class HomeServiceImpl;
class HttpConnection;
class HttpController;
class HttpRequestDecoder;
class QTcpSocket;

// Serves at most one client connection at a time: each accepted socket gets
// its own HttpConnection thread; while one is alive every further client is
// refused. Lives in the main thread, where finished connections are deleted.
class TcpClientSocketManager : public QObject
{
    Q_OBJECT
public:
    TcpClientSocketManager(QObject* parent, bool idleEnabled);
    ~TcpClientSocketManager() override;

    // False when the socket is refused; the caller then closes it.
    bool addConnection(QTcpSocket* socket);
    void setIdle(bool enabled, const QString& ip);

signals:
    void idle(int sec, QString ip);
    void stopIdle();

public slots:
    void onFinished(HttpConnection* conn);

private:
    int idleSeconds = 0;
    bool idleEnabled;
    QString idleAddress;
    QMap<QString, HttpConnection*> connections;
    HttpRequestDecoder* decoder;
    HttpController* controller;
    std::unique_ptr<HomeServiceImpl> homeService;
};
