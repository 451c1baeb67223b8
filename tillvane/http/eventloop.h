#pragma once

#include "myevent.h"
#include "receivebuffer.h"

#include <QAbstractSocket>
#include <QObject>
#include <QString>

class HttpController;
class HttpRequestDecoder;
class HttpResponse;
class QTcpSocket;

// Serves one client socket inside a connection thread: collects received
// bytes, decodes one request per data event, dispatches it and writes the
// answer. Owns the socket.
class EventLoop : public QObject
{
    Q_OBJECT
public:
    EventLoop(QTcpSocket* socket, const QString& name, QObject* parent = nullptr);
    ~EventLoop() override;

    bool event(QEvent* e) override;

    virtual void setDecoder(HttpRequestDecoder* decoder);
    virtual void setController(HttpController* controller);
    virtual void handleRequest();
    virtual void writeResponse(HttpResponse* response);

public slots:
    void onReadyRead();
    void onDisconnected();
    void onError(QAbstractSocket::SocketError socketError);

private:
    void post(EVENT_TE value);
    void closeSocket();
    void stop();

    QString m_name;
    QTcpSocket* m_socket;
    ReceiveBuffer m_buffer;
    HttpRequestDecoder* m_decoder = nullptr;
    HttpController* m_controller = nullptr;
};
