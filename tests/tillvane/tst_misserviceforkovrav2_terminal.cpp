// The V2 service end to end: the program's HTTP server, the real terminal library
// and terminal-sim on loopback.
#include "logcapture.h"
#include "misserviceforkovrav2.h"
#include "simprocess.h"
#include "v2programfolder.h"
#include "v2testserver.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{

const QByteArray notFoundBody = R"({"code": 404, "msg": "not found"})";
const QByteArray wrongCommand = R"({"code":"01","msg":"交易类型错误"})";

class V2TerminalTest : public ::testing::Test
{
protected:
    // terminal-sim with these options, the library beside the program pointed at it.
    void start(const std::vector<std::string>& simOptions = {}, int timeoutSeconds = 2)
    {
        ASSERT_TRUE(folder.isValid());
        sim = std::make_unique<SimProcess>(TERMINAL_SIM_EXECUTABLE, simOptions);
        folder.installLibrary(ZELKAMISDLL_LIBRARY, QStringLiteral("libzelkamisdll.so"));
        folder.writeTerminalSettings(QStringLiteral("."), sim->port(), timeoutSeconds);
        folder.writeCommunicationConfig({ { "DllNameV2", "./libzelkamisdll.so" }, { "CommunityType", "1" },
            { "Ip", "127.0.0.1" }, { "Port", QString::number(sim->port()) },
            { "TransTimeout", QString::number(timeoutSeconds) } });
        service = std::make_unique<MisServiceForKovraV2>(folder.path());
        server = std::make_unique<V2TestServer>(service.get());
        ASSERT_TRUE(server->isListening());
    }

    ResponseParts post(const QByteArray& path, const QByteArray& body)
    {
        return server->exchange("POST", path, body);
    }

    // The terminal's answer carried in "rspData" of a successful answer.
    static QJsonObject terminalAnswer(const ResponseParts& response)
    {
        const QJsonObject answer = QJsonDocument::fromJson(response.body).object();
        EXPECT_EQ(answer.value("code").toString(), "00") << response.body.toStdString();
        EXPECT_EQ(answer.value("msg").toString(), "success");
        return QJsonDocument::fromJson(answer.value("rspData").toString().toUtf8()).object();
    }

    LogCapture log;
    V2ProgramFolder folder;
    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<MisServiceForKovraV2> service;
    std::unique_ptr<V2TestServer> server;
};

TEST_F(V2TerminalTest, DotransAnswersWithTheTerminalsTextInRspData)
{
    start();
    const ResponseParts response = post("/kovra/v2/dotrans/", R"({"CMD":"SALE","EXT_ORDER_NO":"42"})");

    EXPECT_EQ(response.statusLine, "HTTP/1.1 200 OK");
    EXPECT_EQ(response.values("Content-type"), QList<QByteArray> { "application/json;charset=utf-8" });
    EXPECT_TRUE(response.body.startsWith(R"({"code":"00","msg":"success","rspData":"{\")"))
        << response.body.toStdString();
    const QJsonObject terminal = terminalAnswer(response);
    EXPECT_TRUE(terminal.value("simulated").toBool());
    EXPECT_EQ(terminal.value("CMD").toString(), "SALE");
    EXPECT_EQ(terminal.value("EXT_ORDER_NO").toString(), "42");
}

TEST_F(V2TerminalTest, EveryTransactionPathRunsTheBodyAsItCame)
{
    struct Case {
        QByteArray method;
        QByteArray path;
        QByteArray body;
    };
    const Case cases[] = {
        { "POST", "/kovra/v2/cardpay/", R"({"AMOUNT":"000000000100"})" },
        { "POST", "/KOVRA/V2/DOTRANS/", R"({"CMD":"SALE"})" },
        { "GET", "/kovra/v2/balance/", R"({"CMD":"BALANCE"})" },
        { "POST", "/kovra/v2/sign/", R"({"CMD":"LOGON"})" },
    };
    start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const QJsonObject terminal = terminalAnswer(server->exchange(c.method, c.path, c.body));
        EXPECT_TRUE(terminal.value("simulated").toBool());
        EXPECT_EQ(terminal.value("CMD"), QJsonDocument::fromJson(c.body).object().value("CMD"));
    }
}

TEST_F(V2TerminalTest, PathsOutsideTheTableAreNotFound)
{
    const QPair<QByteArray, QByteArray> cases[] = {
        { "POST", "/kovra/v2/dotrans" },
        { "PUT", "/kovra/v2/dotrans/" },
        { "OPTIONS", "/kovra/v2" },
        { "POST", "/kovra/v2/refund/" },
    };
    start();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.second.toStdString());
        EXPECT_EQ(server->exchange(c.first, c.second, R"({"CMD":"SALE"})").body, notFoundBody);
    }
}

TEST_F(V2TerminalTest, SignRunsOnlyTheLogonCommand)
{
    const QByteArray refused[] = {
        R"({"CMD":"logon"})",
        "CMD=LOGON",
        R"([{"CMD":"LOGON"}])",
        R"({"EXT_ORDER_NO":"1"})",
        R"({"CMD":1})",
        "",
    };
    start();
    for (const QByteArray& body : refused) {
        SCOPED_TRACE(body.toStdString());
        const ResponseParts response = post("/kovra/v2/sign/", body);
        EXPECT_EQ(response.statusLine, "HTTP/1.1 200 OK");
        EXPECT_EQ(response.body, wrongCommand);
    }
    EXPECT_TRUE(terminalAnswer(post("/kovra/v2/sign/", R"({"CMD":"LOGON"})")).value("simulated").toBool());
}

TEST_F(V2TerminalTest, SilentTerminalAnswersReceiveFailed)
{
    start({ "--fault", "silent" }, 1);
    EXPECT_EQ(post("/kovra/v2/dotrans/", R"({"CMD":"SALE"})").body, R"({"code":"02","msg":"接收数据失败"})");
}

TEST_F(V2TerminalTest, LargeAnswerComesBackWhole)
{
    start({ "--answer-size", "6000" });
    const ResponseParts response = post("/kovra/v2/dotrans/", R"({"CMD":"SALE"})");
    const QString rspData = QJsonDocument::fromJson(response.body).object().value("rspData").toString();
    EXPECT_EQ(rspData.toUtf8().size(), 6000);
    EXPECT_TRUE(QJsonDocument::fromJson(rspData.toUtf8()).object().value("simulated").toBool());
}

TEST_F(V2TerminalTest, ChineseRequestTextReachesTheTerminal)
{
    start();
    const QString orderNo = QStringLiteral("订单-二〇二六-€");
    const QJsonObject terminal = terminalAnswer(
        post("/kovra/v2/dotrans/", R"({"CMD":"SALE","EXT_ORDER_NO":")" + orderNo.toUtf8() + "\"}"));
    EXPECT_EQ(terminal.value("EXT_ORDER_NO").toString(), orderNo);
}

} // namespace
