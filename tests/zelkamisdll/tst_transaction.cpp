#include "faketerminal.h"
#include "libraryfixture.h"
#include "simprocess.h"
#include "zelkamisdll.h"

#include <gtest/gtest.h>

#include <json/json.h>

#include <string>
#include <vector>

namespace
{

const char kRequest[] = R"({"CMD":"LOGON","EXT_ORDER_NO":"20200728123240"})";

class ZelkamisTransactionTest : public LibraryFixture
{
protected:
    void useTerminal(int port, const std::string& extra = R"("timeout":2)")
    {
        writeSettings(
            R"({"mode":"ETH","hostip":"127.0.0.1","port":)" + std::to_string(port) + "," + extra + "}");
    }
    int run(const std::string& request = kRequest)
    {
        result.assign(ZELKAMIS_RESULT_CAPACITY + kGuardBytes, '#');
        return doTransaction(request.c_str(), result.data());
    }
    std::string answer() const { return std::string(result.data()); }
    bool guardIntact() const
    {
        return std::string(result.end() - kGuardBytes, result.end()) == std::string(kGuardBytes, '#');
    }
    bool logged(const std::string& line) const { return logs().find(line) != std::string::npos; }
    int countLogged(const std::string& line) const
    {
        const std::string all = logs();
        int count = 0;
        for (std::size_t at = all.find(line); at != std::string::npos; at = all.find(line, at + 1))
            ++count;
        return count;
    }

    static constexpr std::size_t kGuardBytes = 64;
    std::vector<char> result;
};

Json::Value parsed(const std::string& text)
{
    Json::Value value;
    Json::Reader().parse(text, value);
    return value;
}

TEST_F(ZelkamisTransactionTest, RunsATransactionAgainstTheSimulator)
{
    SimProcess sim(TERMINAL_SIM_EXECUTABLE, {});
    useTerminal(sim.port());
    ASSERT_EQ(run(), 0);
    const Json::Value answerObject = parsed(answer());
    EXPECT_TRUE(answerObject["simulated"].asBool());
    EXPECT_EQ(answerObject["CMD"].asString(), "LOGON");
    EXPECT_EQ(answerObject["EXT_ORDER_NO"].asString(), "20200728123240");
    EXPECT_TRUE(logged("model=SIM-1,cid=SIMCID0001,tid=SIMTID01"));
    EXPECT_TRUE(logged("握手成功..."));
    EXPECT_TRUE(logged("[trans:"));
    EXPECT_TRUE(logged("[socketclient:"));
}

TEST_F(ZelkamisTransactionTest, AnswersThatArriveOddlyStillCount)
{
    const std::vector<std::vector<std::string>> options = {
        { "--handshake", "plain" },
        { "--handshake", "garbage" },
        { "--fault", "stray-bytes", "--fault-on", "both" },
        { "--fault", "pieces", "--fault-on", "both", "--piece-bytes", "5", "--piece-gap-ms", "5" },
        { "--delay-ms", "300" },
        { "--answer-size", "6139" },
    };
    for (const auto& option : options) {
        SCOPED_TRACE(option[1]);
        SimProcess sim(TERMINAL_SIM_EXECUTABLE, option);
        useTerminal(sim.port());
        EXPECT_EQ(run(), 0);
        EXPECT_EQ(parsed(answer())["CMD"].asString(), "LOGON");
    }
    EXPECT_EQ(answer().size(), 6139u);
}

TEST_F(ZelkamisTransactionTest, FaultyAnswersToTheRequest)
{
    const struct {
        std::vector<std::string> options;
        int expected;
        const char* logged;
    } cases[] = {
        { { "--fault", "silent" }, -5, "doBusiness收数据交互失败,ret=-5" },
        { { "--fault", "close-mid-frame" }, -8, "解析数据合法性失败" },
        { { "--fault", "bad-etx" }, -8, "parseMisData, ETX(03) is invalid" },
        { { "--answer-size", "6140" }, -8,
            "parseMisData, context length(6140) > recvLength(6139) is invalid" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options[1]);
        clearLogs();
        SimProcess sim(TERMINAL_SIM_EXECUTABLE, c.options);
        useTerminal(sim.port(), R"("timeout":1)");
        EXPECT_EQ(run(), c.expected);
        EXPECT_TRUE(logged(c.logged)) << logs();
        EXPECT_EQ(result[0], '#') << "the result is written only on success";
    }
}

TEST_F(ZelkamisTransactionTest, WrongCheckByteIsLoggedWithBothValues)
{
    std::string bad = frameBytes("{\"ok\":1}");
    const unsigned char good = static_cast<unsigned char>(bad.back());
    bad.back() = static_cast<char>(good + 1);
    FakeTerminal fake({ sendFrame("{00}"), sendBytes(bad) });
    useTerminal(fake.port());
    EXPECT_EQ(run(), -8);
    char line[64];
    std::snprintf(
        line, sizeof line, "parseMisData, lrc(%02X) != lrc(%02X), is invalid", (good + 1) & 0xFF, good);
    EXPECT_TRUE(logged(line)) << logs();
    EXPECT_TRUE(logged("解析数据合法性失败"));
}

TEST_F(ZelkamisTransactionTest, RefusedHandshakeIsTriedThreeTimes)
{
    FakeTerminal fake({ sendFrame("{01}") });
    useTerminal(fake.port());
    EXPECT_EQ(run(), -7);
    EXPECT_EQ(fake.connections(), 3);
    EXPECT_EQ(fake.receivedPayloads(), std::vector<std::string>(3, "{99}"));
    EXPECT_EQ(countLogged("握手失败,ret=0"), 3);
    EXPECT_TRUE(logged("握手开始2..."));
}

TEST_F(ZelkamisTransactionTest, SilentTerminalFailsTheHandshakeWithNothingReceived)
{
    FakeTerminal fake({ staySilent() });
    useTerminal(fake.port());
    EXPECT_EQ(run(), -5);
    EXPECT_EQ(fake.connections(), 3);
    EXPECT_EQ(countLogged("握手收数据交互失败,ret=-5"), 3);
}

TEST_F(ZelkamisTransactionTest, HandshakeAnswersThatCannotBeUsed)
{
    const struct {
        const char* name;
        FakeReply reply;
        const char* logged;
    } cases[] = {
        { "too short", sendBytes(std::string("\x02\x00\x00\x03\x00", 5)), "握手接收数据失败" },
        { "bad frame", sendBytes(frameBytes("{00}").replace(7, 1, "\x05")), "握手解析数据合法性失败" },
        { "larger than the frame buffer", sendFrame("{00}" + std::string(4092, ' ')),
            "握手解析数据合法性失败" },
        { "hang-up", hangUp(), "握手收数据交互失败,ret=-5" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        clearLogs();
        FakeTerminal fake({ c.reply });
        useTerminal(fake.port());
        EXPECT_EQ(run(), c.name == std::string("hang-up") ? -5 : -7);
        EXPECT_EQ(countLogged(c.logged), 3) << logs();
    }
}

TEST_F(ZelkamisTransactionTest, GbkCallerGetsUtf8OnTheWireAndGb18030Back)
{
    FakeTerminal fake({ sendFrame("{00}"), sendFrame("{\"msg\":\"\xE4\xB8\xAD\"}") });
    useTerminal(fake.port(), R"("charset":"gbk","timeout":2)");
    ASSERT_EQ(run("{\"CMD\":\"\xD6\xD0\"}"), 0);
    EXPECT_EQ(fake.receivedPayloads().at(1), "{\"CMD\":\"\xE4\xB8\xAD\"}");
    EXPECT_EQ(answer(), "{\"msg\":\"\xD6\xD0\"}");
}

TEST_F(ZelkamisTransactionTest, OtherCharsetsPassTextUnchanged)
{
    for (const char* extra : { R"("charset":"GBK")", R"("charset":"utf-8")", R"("timeout":2)" }) {
        SCOPED_TRACE(extra);
        FakeTerminal fake({ sendFrame("{00}"), sendFrame("{\"msg\":\"\xE4\xB8\xAD\"}") });
        useTerminal(fake.port(), extra);
        ASSERT_EQ(run("{\"CMD\":\"\xE4\xB8\xAD\"}"), 0);
        EXPECT_EQ(fake.receivedPayloads().at(1), "{\"CMD\":\"\xE4\xB8\xAD\"}");
        EXPECT_EQ(answer(), "{\"msg\":\"\xE4\xB8\xAD\"}");
    }
}

TEST_F(ZelkamisTransactionTest, LongestAnswerFitsTheResultCapacityInGb18030)
{
    // U+00C0 takes two bytes in UTF-8 and four in GB18030: the worst growth there is.
    std::string utf8;
    std::string gb18030;
    for (int i = 0; i < 3069; ++i) {
        utf8 += "\xC3\x80";
        gb18030 += "\x81\x30\x86\x38";
    }
    utf8 += "a";
    gb18030 += "a";
    FakeTerminal fake({ sendFrame("{00}"), sendFrame(utf8) });
    useTerminal(fake.port(), R"("charset":"gbk","timeout":2)");
    ASSERT_EQ(run(), 0);
    EXPECT_EQ(answer().size(), gb18030.size());
    EXPECT_TRUE(answer() == gb18030);
    EXPECT_TRUE(guardIntact());
}

TEST_F(ZelkamisTransactionTest, TimeoutDefaultsToSixtySeconds)
{
    for (const char* extra : { R"("timeout":0)", R"("timeout":-5)", R"("charset":"utf-8")" }) {
        SCOPED_TRACE(extra);
        clearLogs();
        FakeTerminal fake({ sendFrame("{00}"), sendFrame("{}") });
        useTerminal(fake.port(), extra);
        EXPECT_EQ(run(), 0);
        EXPECT_TRUE(logged("host:[127.0.0.1:" + std::to_string(fake.port()) + "],timeout=60")) << logs();
        EXPECT_TRUE(logged("host:[127.0.0.1:" + std::to_string(fake.port()) + "],timeout=2"));
    }
}

TEST_F(ZelkamisTransactionTest, LinksThatCannotOpenGiveMinusThree)
{
    const struct {
        const char* settings;
        const char* logged;
    } cases[] = {
        { R"({"mode":"ETHX","hostip":"127.0.0.1","port":1})", "com=0, baud=9600, timeout=2" },
        { R"({"mode":"COM3"})", "com=3, baud=9600, timeout=2" },
        { R"({"mode":"BT","mac":"00:11:22:33:44:55"})", "bluetoothOpen, mac=00:11:22:33:44:55" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.settings);
        clearLogs();
        writeSettings(c.settings);
        EXPECT_EQ(run(), -3);
        EXPECT_EQ(countLogged("握手收数据交互失败,ret=-3"), 3);
        EXPECT_TRUE(logged(c.logged)) << logs();
        EXPECT_FALSE(logged("host:["));
    }
}

TEST_F(ZelkamisTransactionTest, SettingsAreReadAgainOnEveryCall)
{
    FakeTerminal first({ sendFrame("{00}"), sendFrame(R"({"from":"first"})") });
    FakeTerminal second({ sendFrame("{00}"), sendFrame(R"({"from":"second"})") });
    useTerminal(first.port());
    ASSERT_EQ(run(), 0);
    ASSERT_EQ(setEthernet("127.0.0.1", second.port()), 0);
    ASSERT_EQ(run(), 0);
    EXPECT_EQ(answer(), R"({"from":"second"})");
    EXPECT_EQ(first.connections(), 2);
    EXPECT_EQ(second.connections(), 2);
}

TEST_F(ZelkamisTransactionTest, RequestSizeIsCheckedBeforeTheHandshake)
{
    FakeTerminal fake({ sendFrame("{00}"), sendFrame("{}") });
    useTerminal(fake.port());
    EXPECT_EQ(run(std::string(4092, 'r')), -2);
    EXPECT_EQ(fake.connections(), 0);

    std::string gbkRequest;
    for (int i = 0; i < 1400; ++i)
        gbkRequest += "\xD6\xD0"; // 2800 bytes here, 4200 after conversion
    useTerminal(fake.port(), R"("charset":"gbk")");
    EXPECT_EQ(run(gbkRequest), -2);
    EXPECT_EQ(fake.connections(), 0);

    useTerminal(fake.port());
    EXPECT_EQ(run(std::string(4091, 'r')), 0);
    EXPECT_EQ(fake.receivedPayloads().at(1).size(), 4091u);
}

TEST_F(ZelkamisTransactionTest, ArgumentsAndSettingsChecks)
{
    std::vector<char> buffer(ZELKAMIS_RESULT_CAPACITY);
    EXPECT_EQ(doTransaction(nullptr, nullptr), -6);
    EXPECT_TRUE(logged("doTransaction,请先初始化通信参数"));

    writeSettings(R"({"mode":"ETH","hostip":"127.0.0.1","port":1})");
    EXPECT_EQ(doTransaction(nullptr, buffer.data()), -2);
    EXPECT_EQ(doTransaction(kRequest, nullptr), -2);
    EXPECT_TRUE(logged("doTransaction入参request为空!"));
    EXPECT_TRUE(logged("doTransaction入参result为空!"));
}

} // namespace
