// Every fault terminal-sim can play, through the whole chain: HTTP server, V2
// service, terminal library, simulator. Each is answered with its own "code"
// and "msg", and the same service then completes a transaction with a
// terminal that behaves.
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

constexpr int timeoutSeconds = 1;
const QByteArray signOn = R"({"CMD":"LOGON","EXT_ORDER_NO":"1"})";

class V2FaultMatrix : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        folder.installLibrary(ZELKAMISDLL_LIBRARY, QStringLiteral("libzelkamisdll.so"));
        folder.writeCommunicationConfig({ { "DllNameV2", "./libzelkamisdll.so" }, { "CommunityType", "1" },
            { "Ip", "127.0.0.1" }, { "Port", QString::number(healthy.port()) },
            { "TransTimeout", QString::number(timeoutSeconds) } });
        useTerminal(healthy);
        service = std::make_unique<MisServiceForKovraV2>(folder.path());
        server = std::make_unique<V2TestServer>(service.get());
        ASSERT_TRUE(server->isListening());
    }

    // The library reads its settings for every transaction: this is the terminal it calls next.
    void useTerminal(const SimProcess& sim)
    {
        folder.writeTerminalSettings(QStringLiteral("."), sim.port(), timeoutSeconds);
    }

    QJsonObject signOnAnswer()
    {
        const ResponseParts response = server->exchange("POST", "/kovra/v2/sign/", signOn);
        EXPECT_EQ(response.statusLine, "HTTP/1.1 200 OK");
        return QJsonDocument::fromJson(response.body).object();
    }

    LogCapture log;
    V2ProgramFolder folder;
    SimProcess healthy { TERMINAL_SIM_EXECUTABLE, {} };
    std::unique_ptr<MisServiceForKovraV2> service;
    std::unique_ptr<V2TestServer> server;
};

TEST_F(V2FaultMatrix, EachFaultHasItsAnswerAndTheNextTransactionSucceeds)
{
    struct Case {
        std::vector<std::string> options;
        const char* code;
        const char* msg;
    };
    const Case cases[] = {
        { { "--fault", "refuse-handshake", "--fault-on", "handshake" }, "02", "握手失败" },
        { { "--fault", "silent" }, "02", "接收数据失败" },
        // Silence never completes an attempt: the last attempt's "nothing received" is reported.
        { { "--fault", "silent", "--fault-on", "handshake" }, "02", "接收数据失败" },
        { { "--fault", "close-mid-frame" }, "02", "解析交易数据失败" },
        { { "--fault", "bad-etx" }, "02", "解析交易数据失败" },
        { { "--fault", "bad-lrc" }, "02", "解析交易数据失败" },
        { { "--answer-size", "6140" }, "02", "解析交易数据失败" },
        { { "--fault", "stray-bytes", "--fault-on", "both" }, "00", "success" },
        { { "--fault", "pieces", "--fault-on", "both", "--piece-bytes", "3", "--piece-gap-ms", "2" }, "00",
            "success" },
        { { "--delay-ms", "300" }, "00", "success" },
        { { "--handshake", "garbage" }, "00", "success" },
    };
    for (const Case& c : cases) {
        std::string name;
        for (const std::string& option : c.options)
            name += option + " ";
        SCOPED_TRACE(name);
        {
            SimProcess faulty(TERMINAL_SIM_EXECUTABLE, c.options);
            useTerminal(faulty);
            const QJsonObject answer = signOnAnswer();
            EXPECT_EQ(answer.value("code").toString(), c.code);
            EXPECT_EQ(answer.value("msg").toString(), QString::fromUtf8(c.msg));
            EXPECT_EQ(answer.contains("rspData"), QString(c.code) == "00");
        }
        useTerminal(healthy);
        const QJsonObject next = signOnAnswer();
        EXPECT_EQ(next.value("code").toString(), "00");
        EXPECT_TRUE(QJsonDocument::fromJson(next.value("rspData").toString().toUtf8())
                        .object()
                        .value("simulated")
                        .toBool());
    }
}

TEST_F(V2FaultMatrix, TerminalThatIsNotThereIsAnOpenFailure)
{
    int port = 0;
    {
        SimProcess gone(TERMINAL_SIM_EXECUTABLE, {});
        port = gone.port();
    }
    folder.writeTerminalSettings(QStringLiteral("."), port, timeoutSeconds);
    const QJsonObject answer = signOnAnswer();
    EXPECT_EQ(answer.value("code").toString(), "02");
    EXPECT_EQ(answer.value("msg").toString(), QStringLiteral("打开通讯串口或者连接主机失败"));
    useTerminal(healthy);
    EXPECT_EQ(signOnAnswer().value("code").toString(), "00");
}

} // namespace
