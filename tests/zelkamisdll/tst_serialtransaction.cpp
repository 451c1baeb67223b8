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

// Transactions with "mode" COM<N>, on the pseudo-terminal of terminal-sim or on devices
// that cannot be opened.
class ZelkamisSerialTransactionTest : public LibraryFixture
{
protected:
    void useSerial(const std::string& mode, const std::string& device)
    {
        Json::Value settings;
        settings["mode"] = mode;
        settings["timeout"] = 2;
        if (!device.empty())
            settings["device"] = device;
        writeSettings(Json::FastWriter().write(settings));
    }
    int run()
    {
        result.assign(ZELKAMIS_RESULT_CAPACITY, '#');
        return doTransaction(kRequest, result.data());
    }
    std::vector<char> result;
};

TEST_F(ZelkamisSerialTransactionTest, RunsATransactionOverThePseudoTerminal)
{
    SimProcess sim(TERMINAL_SIM_EXECUTABLE, { "--link", "pty" });
    useSerial("COM1", sim.device());
    ASSERT_EQ(run(), 0) << logs();
    Json::Value answer;
    ASSERT_TRUE(Json::Reader().parse(result.data(), answer));
    EXPECT_TRUE(answer["simulated"].asBool());
    EXPECT_EQ(answer["EXT_ORDER_NO"].asString(), "20200728123240");
    EXPECT_EQ(countLogged("打开串口" + sim.device() + "成功"), 2) << "handshake and request";
    EXPECT_EQ(countLogged("关闭串口成功"), 2);
    EXPECT_EQ(countLogged("com=1, baud=9600, timeout=2"), 2)
        << "the handshake takes 2 s, the request the setting";
    EXPECT_EQ(countLogged("model=SIM-1,cid=SIMCID0001,tid=SIMTID01"), 1);
}

TEST_F(ZelkamisSerialTransactionTest, FaultsOfTheTerminalOnTheLine)
{
    const struct {
        std::vector<std::string> options;
        int expected;
        const char* logged;
    } cases[] = {
        { { "--fault", "stray-bytes" }, -5, "接收0x02失败！" },
        { { "--fault", "bad-lrc" }, -8, "解析数据合法性失败" },
        { { "--fault", "refuse-handshake" }, -7, "握手失败,ret=0" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options[1]);
        clearLogs();
        std::vector<std::string> options = { "--link", "pty" };
        options.insert(options.end(), c.options.begin(), c.options.end());
        SimProcess sim(TERMINAL_SIM_EXECUTABLE, options);
        useSerial("COM1", sim.device());
        EXPECT_EQ(run(), c.expected);
        EXPECT_GE(countLogged(c.logged), 1) << logs();
        EXPECT_EQ(countLogged("打开串口"), countLogged("关闭串口成功")) << "every open port is closed";
    }
}

TEST_F(ZelkamisSerialTransactionTest, DeviceThatCannotBeOpenedGivesOpenFailure)
{
    const struct {
        const char* mode;
        std::string device;
        const char* logged;
    } cases[] = {
        { "COM1", dir.file("no-such-tty"), "打开串口%s失败: No such file or directory" },
        { "COM987", "",
            "打开串口/dev/ttyUSB987, /dev/ttyACM987, /dev/ttyS987失败: No such file or directory" },
        { "COM1", dir.file("plain-file"), "打开串口%s失败: Inappropriate ioctl for device" },
    };
    writeFile(dir.file("plain-file"), "not a terminal");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode + (" " + c.device));
        clearLogs();
        useSerial(c.mode, c.device);
        EXPECT_EQ(run(), ZELKAMIS_ERR_OPEN);
        EXPECT_EQ(countLogged("握手收数据交互失败,ret=-3"), 3);
        std::string line = c.logged;
        const std::size_t slot = line.find("%s");
        if (slot != std::string::npos)
            line.replace(slot, 2, c.device);
        EXPECT_EQ(countLogged(line), 3) << logs();
        EXPECT_EQ(result[0], '#');
    }
}

} // namespace
