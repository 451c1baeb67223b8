#pragma once

#include "httpcontroller.h"
#include "httprequestdecoder.h"
#include "responseparts.h"

#include <QByteArray>
#include <QList>
#include <QTcpServer>

class AbstractHttpService;
class HttpConnection;

// The program's HTTP server on 127.0.0.1 (ephemeral port), routing
// "/kovra/v2/.*" to the given service, one connection thread per client.
class V2TestServer
{
public:
    explicit V2TestServer(AbstractHttpService* service);
    ~V2TestServer();
    V2TestServer(const V2TestServer&) = delete;
    V2TestServer& operator=(const V2TestServer&) = delete;

    bool isListening() const;
    quint16 serverPort() const;
    // One request on a new connection; the answer, split (empty when none came).
    ResponseParts exchange(const QByteArray& method, const QByteArray& path, const QByteArray& body = {},
        const QByteArray& extraHeaders = {});

private:
    HttpRequestDecoder m_decoder;
    HttpController m_controller;
    QTcpServer m_server;
    QList<HttpConnection*> m_connections;
};
