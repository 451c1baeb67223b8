#pragma once

#include "logcapture.h"
#include "tcpclientsocketmanager.h"

#include <QByteArray>
#include <QTcpServer>

#include <gtest/gtest.h>

#include <memory>

// A server on 127.0.0.1 (ephemeral port) feeding one connection manager, as
// the settings window does, with the log captured.
class ServerFixture : public ::testing::Test
{
protected:
    static const QByteArray helloRequest;
    static const QByteArray keepAliveHello;

    void SetUp() override;

    quint16 port() const { return server.serverPort(); }

    // Waits until the manager has deleted one more finished connection.
    bool waitForConnectionEnd(int timeoutMs = 5000);
    // Whether a new client is accepted and answered "hello world.".
    bool servesNextClient();

    static QByteArray bodyOf(const QByteArray& response);

    LogCapture log;
    QTcpServer server;
    std::unique_ptr<TcpClientSocketManager> manager;
    int finishedConnections = 0;
};
