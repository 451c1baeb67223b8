#include "loopbackclient.h"
#include "responseparts.h"
#include "tcpclientsocketmanager.h"
#include "tcpserverbinding.h"

#include <QHostAddress>
#include <QTcpServer>

#include <gtest/gtest.h>

#include <memory>

// The "/kovra" family as a client reaches it: through the server on
// 127.0.0.1, routed beside the "/kovra/v2" family. The test program has no
// transaction library beside it, so the process-wide service runs without one.

namespace
{

class KovraOverLoopback : public ::testing::Test
{
protected:
    void SetUp() override
    {
        manager = std::make_unique<TcpClientSocketManager>(nullptr, false);
        bindServerToManager(&server, manager.get());
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    }

    ResponseParts exchange(const QByteArray& request)
    {
        LoopbackClient client(server.serverPort());
        client.send(request);
        return ResponseParts::parse(client.readResponse());
    }

    QTcpServer server;
    std::unique_ptr<TcpClientSocketManager> manager;
};

TEST_F(KovraOverLoopback, PreflightIsAnsweredOkWithTheCrossOriginHeaders)
{
    const ResponseParts response = exchange("OPTIONS /kovra/pay/ HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");

    EXPECT_EQ(response.statusLine, "HTTP/1.1 200 OK");
    EXPECT_EQ(response.body, "ok");
    for (const char* header : { "Access-Control-Allow-Origin", "Access-Control-Allow-Methods",
             "Access-Control-Allow-Headers", "Access-Control-Request-Headers" })
        EXPECT_EQ(response.values(header), QList<QByteArray> { "*" }) << header;
}

TEST_F(KovraOverLoopback, TransactionWithoutLibraryIsAnsweredNotLoaded)
{
    const QByteArray body = R"({"amount":"1","misTraceNo":"000001"})";
    const ResponseParts response = exchange("POST /kovra/pay/ HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: "
        + QByteArray::number(body.size()) + "\r\n\r\n" + body);

    EXPECT_EQ(response.statusLine, "HTTP/1.1 200 OK");
    EXPECT_EQ(response.body, R"({"code":"02","msg":"动态库未加载"})");
}

} // namespace
