#include "eventloop.h"

#include "httpcontroller.h"
#include "httprequest.h"
#include "httprequestdecoder.h"
#include "httpresponse.h"
#include "responseencoder.h"
#include "utf8text.h"

#include <QCoreApplication>
#include <QDebug>
#include <QTcpSocket>
#include <QThread>

#include <cstring>
#include <exception>
#include <memory>

namespace
{

constexpr int readBlockSize = 4096;
// How long a closing connection may take to hand its last answer to the system.
constexpr int closingWriteTimeoutMs = 3000;

} // namespace

EventLoop::EventLoop(QTcpSocket* socket, const QString& name, QObject* parent)
    : QObject(parent)
    , m_name(name)
    , m_socket(socket)
{
    connect(m_socket, &QTcpSocket::disconnected, this, &EventLoop::onDisconnected);
    connect(m_socket, &QTcpSocket::readyRead, this, &EventLoop::onReadyRead);
    connect(m_socket, &QAbstractSocket::errorOccurred, this, &EventLoop::onError);
}

EventLoop::~EventLoop()
{
    if (m_socket) {
        if (m_socket->isOpen())
            m_socket->close();
        delete m_socket;
        m_socket = nullptr;
    }
    qDebug() << "~EventLoop()";
}

bool EventLoop::event(QEvent* e)
{
    if (e->type() != MyEvent<EVENT_TE>::eventType())
        return QObject::event(e);
    switch (static_cast<MyEvent<EVENT_TE>*>(e)->value()) {
    case EVENT_DATA_READY:
        handleRequest();
        return true;
    case EVENT_STOP:
        stop();
        return true;
    }
    return true;
}

void EventLoop::setDecoder(HttpRequestDecoder* decoder)
{
    m_decoder = decoder;
}

void EventLoop::setController(HttpController* controller)
{
    m_controller = controller;
}

void EventLoop::handleRequest()
{
    if (!m_socket->isOpen()) {
        qDebug() << m_name << "socket is not open";
        post(EVENT_STOP);
        return;
    }
    std::unique_ptr<HttpRequest> request;
    try {
        request.reset(m_decoder->decode(m_buffer));
    } catch (...) {
        post(EVENT_STOP);
        return;
    }
    if (!request)
        return;
    std::unique_ptr<HttpResponse> response;
    if (m_socket->isOpen()) {
        response = std::make_unique<HttpResponse>(request.get());
        if (!m_controller->dispatch(request.get(), response.get()))
            writeResponse(response.get());
    }
    const QString connection = request->headers().value(QStringLiteral("Connection"));
    request.reset();
    response.reset();
    if (connection.compare(QLatin1String("keep-alive"), Qt::CaseInsensitive) != 0)
        post(EVENT_STOP);
}

void EventLoop::writeResponse(HttpResponse* response)
{
    const QByteArray bytes = encodeResponse(response);
    qint64 offset = 0;
    while (offset < bytes.size()) {
        const qint64 sent = m_socket->write(bytes.constData() + offset, bytes.size() - offset);
        if (sent <= 0) {
            qDebug() << "writeResponse error:" << sent;
            break;
        }
        offset += sent;
        m_socket->flush();
        qDebug() << "send:" << sent << " :" << offset;
    }
    qDebug() << m_name << " send response:" << utf8UpToZero(bytes);
}

void EventLoop::onReadyRead()
{
    char block[readBlockSize];
    for (;;) {
        std::memset(block, 0, sizeof block);
        const qint64 count = m_socket->read(block, readBlockSize - 1);
        if (count <= 0)
            break;
        qDebug() << m_name << " onReadyRead." << count;
        try {
            m_buffer.append(block, count);
        } catch (const std::exception&) {
            // More than the receive storage holds without a whole request: drop the client.
            qDebug() << m_name << "receive buffer overflow, connection stopped.";
            m_socket->abort();
            post(EVENT_STOP);
            return;
        }
    }
    qDebug() << m_name << "receive over.";
    post(EVENT_DATA_READY);
}

void EventLoop::onDisconnected()
{
    qDebug() << "onDisconnected" << QThread::currentThreadId();
    if (!m_socket->isOpen())
        return;
    closeSocket();
    post(EVENT_STOP);
}

void EventLoop::onError(QAbstractSocket::SocketError socketError)
{
    Q_UNUSED(socketError)
    qDebug() << "onError" << QThread::currentThreadId();
    if (m_socket->isOpen())
        closeSocket();
    post(EVENT_STOP);
}

void EventLoop::post(EVENT_TE value)
{
    QCoreApplication::postEvent(this, new MyEvent<EVENT_TE>(value), Qt::NormalEventPriority);
}

// The thread ends right after this, so the answer still queued in the socket
// is handed to the system now (bounded) instead of being dropped.
void EventLoop::closeSocket()
{
    while (m_socket->bytesToWrite() > 0 && m_socket->waitForBytesWritten(closingWriteTimeoutMs)) { }
    if (m_socket->bytesToWrite() > 0)
        m_socket->abort();
    else
        m_socket->close();
}

void EventLoop::stop()
{
    if (m_socket->isOpen())
        closeSocket();
    qDebug() << "loo_stop:" << QThread::currentThreadId();
    QThread::currentThread()->exit(0);
}
