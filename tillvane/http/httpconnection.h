#pragma once

#include <QString>
#include <QThread>

class EventLoop;
class HttpController;
class HttpRequestDecoder;
class QTcpSocket;

// The thread that serves one accepted socket. The object lives in the main
// thread; its EventLoop and the socket live in the thread it runs.
class HttpConnection : public QThread
{
    Q_OBJECT
public:
    HttpConnection(QTcpSocket* socket, const QString& name, QObject* parent = nullptr);
    ~HttpConnection() override;

    void setDecoder(HttpRequestDecoder* decoder);
    void setController(HttpController* controller);
    QString name() const;
    void stop();

signals:
    void threadFinished(HttpConnection* conn);

public slots:
    void onFinished();

protected:
    void run() override;

private:
    EventLoop* m_eventLoop;
    QString m_name;
};
