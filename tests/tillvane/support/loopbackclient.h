#pragma once

#include <QByteArray>
#include <QTcpSocket>

// A raw HTTP client on 127.0.0.1 for driving the server byte by byte. Every
// wait runs the event loop and gives up after its time-out.
class LoopbackClient
{
public:
    explicit LoopbackClient(quint16 port, int timeoutMs = 5000);

    bool isConnected() const;
    // The client's port as it was when connected.
    quint16 localPort() const;
    void send(const QByteArray& bytes);
    void close();

    // The next whole response (headers and Content-Length body), taken off
    // what was received; empty when none completed in time.
    QByteArray readResponse(int timeoutMs = 5000);
    // Whether the server closed the connection in time.
    bool waitForClosed(int timeoutMs = 5000);
    // Bytes received and not yet taken by readResponse.
    QByteArray pending();

private:
    void collect();
    qint64 completeResponseLength() const;

    QTcpSocket m_socket;
    QByteArray m_received;
    quint16 m_localPort = 0;
};
