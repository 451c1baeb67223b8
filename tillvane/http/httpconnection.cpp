#include "httpconnection.h"

#include "eventloop.h"

#include <QCoreApplication>
#include <QDebug>
#include <QTcpSocket>

HttpConnection::HttpConnection(QTcpSocket* socket, const QString& name, QObject* parent)
    : QThread(parent)
    , m_eventLoop(new EventLoop(socket, name))
    , m_name(name)
{
    socket->setParent(nullptr);
    socket->moveToThread(this);
    m_eventLoop->moveToThread(this);
    connect(this, &QThread::finished, this, &HttpConnection::onFinished);
}

HttpConnection::~HttpConnection()
{
    qDebug() << "HttpConnection thread is finished. name:" << m_name
             << "threadId:" << QThread::currentThreadId();
    delete m_eventLoop;
    qDebug() << "~HttpConnection()";
}

void HttpConnection::setDecoder(HttpRequestDecoder* decoder)
{
    m_eventLoop->setDecoder(decoder);
}

void HttpConnection::setController(HttpController* controller)
{
    m_eventLoop->setController(controller);
}

QString HttpConnection::name() const
{
    return m_name;
}

void HttpConnection::stop()
{
    QCoreApplication::postEvent(m_eventLoop, new MyEvent<EVENT_TE>(EVENT_STOP), Qt::NormalEventPriority);
}

void HttpConnection::run()
{
    qDebug() << "HttpConnection thread is running. name:" << m_name
             << "threadId:" << QThread::currentThreadId();
    exec();
}

void HttpConnection::onFinished()
{
    emit threadFinished(this);
}
