#include "libraryfixture.h"
#include "settingsfile.h"
#include "utils.h"
#include "zelkamisdll.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <regex>

namespace
{

namespace fs = std::filesystem;

class ZelkamisSettingsTest : public LibraryFixture
{
};

TEST_F(ZelkamisSettingsTest, SettersNeverCreateTheFile)
{
    const std::vector<std::pair<const char*, std::function<int()>>> setters = {
        { "setCOM", [] { return setCOM("COM3"); } },
        { "setEthernet", [] { return setEthernet("127.0.0.1", 8000); } },
        { "setBluetooth", [] { return setBluetooth("00:11:22:33:44:55"); } },
        { "setCharset", [] { return setCharset("gbk"); } },
        { "setTimeout", [] { return setTimeout(30); } },
        { "setOther", [] { return setOther("shop", "1"); } },
    };
    for (const auto& [name, call] : setters) {
        SCOPED_TRACE(name);
        EXPECT_EQ(call(), -1);
        EXPECT_FALSE(fs::exists(settingsPath()));
        EXPECT_FALSE(fs::exists(workDir.file("zelkamissetting.json")));
    }
    EXPECT_NE(logs().find("打开配置文件(zelkamissetting.json)失败!"), std::string::npos);
}

TEST_F(ZelkamisSettingsTest, SetComAcceptsOnlyComNames)
{
    writeSettings(R"({"mode":"ETH"})");
    EXPECT_EQ(setCOM("LPT1"), -1);
    EXPECT_NE(logs().find("[zelkamisdll:"), std::string::npos);
    EXPECT_NE(logs().find("入参comName格式错误!"), std::string::npos);
    EXPECT_EQ(readFile(settingsPath()), R"({"mode":"ETH"})");

    EXPECT_EQ(setCOM("COM12"), 0);
    EXPECT_EQ(readFile(settingsPath()), "{\"mode\":\"COM12\"}\n");
}

TEST_F(ZelkamisSettingsTest, SetEthernetKeepsOtherKeysAndStoresThePortAsNumber)
{
    writeSettings(R"({"mode":"COM3","charset":"gbk","timeout":30})");
    EXPECT_EQ(setEthernet("10.0.0.5", 8000), 0);
    EXPECT_EQ(readFile(settingsPath()),
        "{\"charset\":\"gbk\",\"hostip\":\"10.0.0.5\",\"mode\":\"ETH\",\"port\":8000,\"timeout\":30}\n");
    for (const auto& entry : fs::directory_iterator(dir.path()))
        EXPECT_TRUE(entry.path().filename() == "zelkamissetting.json"
            || entry.path().filename().string().rfind("dllLog", 0) == 0)
            << "left behind: " << entry.path();
}

TEST_F(ZelkamisSettingsTest, OtherSettersStoreTheirKeys)
{
    writeSettings("{}");
    EXPECT_EQ(setBluetooth("00:11:22:33:44:55"), 0);
    EXPECT_EQ(setCharset("utf-8"), 0);
    EXPECT_EQ(setTimeout(-4), 0);
    EXPECT_EQ(setOther("timeout", "30"), 0);
    EXPECT_EQ(readFile(settingsPath()),
        "{\"charset\":\"utf-8\",\"mac\":\"00:11:22:33:44:55\",\"mode\":\"BT\",\"timeout\":\"30\"}\n");
    const std::optional<Json::Value> settings = loadSetting();
    ASSERT_TRUE(settings);
    EXPECT_EQ(getJsonInt(*settings, "timeout"), 30);
}

TEST_F(ZelkamisSettingsTest, UnusableFilesCountAsMissing)
{
    const struct {
        const char* name;
        std::string content;
        const char* logged;
    } cases[] = {
        { "empty file", "", "读取配置文件(zelkamissetting.json" },
        { "not JSON", "mode=ETH", "配置文件入参转换json格式失败!" },
        { "bare zero", "0", "配置文件入参转换json格式后数据为空" },
        { "cut at 1024 bytes", R"({"mode":"ETH","shop":")" + std::string(1100, 'x') + "\"}",
            "配置文件入参转换json格式失败!" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        clearLogs();
        writeSettings(c.content);
        EXPECT_EQ(setCharset("gbk"), -1);
        EXPECT_EQ(readFile(settingsPath()), c.content);
        EXPECT_NE(logs().find(c.logged), std::string::npos) << logs();
    }
}

TEST_F(ZelkamisSettingsTest, SettingsDirectoryFirstThenTheCurrentDirectory)
{
    writeFile(workDir.file("zelkamissetting.json"), R"({"mode":"COM1"})");
    EXPECT_EQ(setCharset("gbk"), 0); // found in the current directory ...
    EXPECT_EQ(
        readFile(settingsPath()), "{\"charset\":\"gbk\",\"mode\":\"COM1\"}\n"); // ... saved where it belongs

    EXPECT_EQ(setTimeout(5), 0); // the settings directory now wins
    EXPECT_EQ(readFile(settingsPath()), "{\"charset\":\"gbk\",\"mode\":\"COM1\",\"timeout\":5}\n");
    EXPECT_EQ(readFile(workDir.file("zelkamissetting.json")), R"({"mode":"COM1"})");

    setPath(dir.path().c_str());
    EXPECT_NE(logs().find("set dll path:" + dir.path()), std::string::npos);
}

TEST_F(ZelkamisSettingsTest, LogFileNameAndLinePrefix)
{
    const std::string date = [] {
        char text[16];
        const std::time_t now = std::time(nullptr);
        std::strftime(text, sizeof text, "%Y%m%d", std::localtime(&now));
        return std::string(text);
    }();
    for (const std::string& logDir : { dir.path(), dir.path() + "/" }) {
        SCOPED_TRACE(logDir);
        clearLogs();
        setLogPath(logDir.c_str());
        getVersion();
        const std::string content = readFile(dir.file("dllLog" + date + ".txt"));
        EXPECT_TRUE(std::regex_search(
            content, std::regex(R"(^\[\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\]\[zelkamisdll:\d+\] 2\.1\.0\.0\n$)")))
            << content;
    }
}

TEST_F(ZelkamisSettingsTest, EmptyLogPathSwitchesLoggingOff)
{
    setLogPath("");
    writeSettings("{}");
    EXPECT_EQ(setCharset("gbk"), 0);
    getVersion();
    EXPECT_EQ(logs(), "");
}

TEST_F(ZelkamisSettingsTest, UnwritableLogDirectoryFallsBackToTheTemporaryDirectory)
{
    TempDir temp;
    ASSERT_EQ(::setenv("TMPDIR", temp.path().c_str(), 1), 0);
    setLogPath((dir.path() + "/missing/sub").c_str());
    getVersion();
    ::unsetenv("TMPDIR");
    EXPECT_NE(readLogs(temp.path()).find("2.1.0.0"), std::string::npos);
}

TEST_F(ZelkamisSettingsTest, VersionComesFromTheBuildAndKeepsItsPointer)
{
    const char* first = getVersion();
    EXPECT_STREQ(first, "2.1.0.0");
    EXPECT_EQ(getVersion(), first);
}

TEST_F(ZelkamisSettingsTest, InitializationChecksAndStoresTheWholeDocument)
{
    const struct {
        const char* name;
        const char* json;
        int expected;
        const char* logged;
    } cases[] = {
        { "null", nullptr, -2, "init入参为空!" },
        { "not JSON", "mode:ETH", -2, "入参转换json格式失败!" },
        { "bare zero", "0", -2, "入参转换json格式后数据为空" },
        { "array", "[1]", -2, "入参转换json格式后数据为空" },
        { "no mode", "{}", -2, "入参通信方式错误" },
        { "unknown mode", R"({"mode":"USB"})", -2, "入参通信方式错误" },
        { "number mode", R"({"mode":3})", -2, "入参通信方式错误" },
        { "BT without mac", R"({"mode":"BT"})", -2, "蓝牙通信方式mac不能为空!" },
        { "mode too long", nullptr, -2, "入参通信方式错误" },
        { "COM", R"({"mode":"COM3","extra":{"a":1}})", 0, "【setCommuParameter...】" },
        { "ETHX", R"({"mode":"ETHX"})", 0, "【setCommuParameter...】" },
        { "BT", R"({"mode":"BT","mac":"00:11:22:33:44:55"})", 0, "【setCommuParameter...】" },
        { "comments", "// terminal\n{\"mode\":\"ETH\",\"hostip\":\"127.0.0.1\",\"port\":1}", 0,
            "// terminal" },
    };
    const std::string longMode = R"({"mode":"COM)" + std::string(123, '1') + "\"}";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        clearLogs();
        fs::remove(settingsPath());
        const char* json = std::string(c.name) == "mode too long" ? longMode.c_str() : c.json;
        EXPECT_EQ(initialization(json), c.expected);
        EXPECT_NE(logs().find(c.logged), std::string::npos) << logs();
        EXPECT_EQ(fs::exists(settingsPath()), c.expected == 0);
    }
    const std::string justFits = R"({"mode":"COM)" + std::string(122, '1') + "\"}";
    EXPECT_EQ(initialization(justFits.c_str()), 0);
}

} // namespace
