// How the V2 service binds the terminal library and talks to it, seen through a
// recording stand-in library in a private program folder.
#include "httprequest.h"
#include "httpresponse.h"
#include "logcapture.h"
#include "misserviceforkovrav2.h"
#include "v2programfolder.h"
#include "zelkamisrecorderhandle.h"

#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <thread>

namespace
{

using Keys = QMap<QString, QString>;

const QString recorderName = QStringLiteral("./librecorder.so");

class V2BindingTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    // Installs a recorder at relativeName and names it in the settings.
    std::unique_ptr<ZelkamisRecorderHandle> installRecorder(
        const QString& dllName, const QString& relativeName, const char* source = RECORDER_LIBRARY)
    {
        config.insert(QStringLiteral("DllNameV2"), dllName);
        return std::make_unique<ZelkamisRecorderHandle>(folder.installLibrary(source, relativeName));
    }

    std::unique_ptr<MisServiceForKovraV2> startService()
    {
        folder.writeCommunicationConfig(config);
        return std::make_unique<MisServiceForKovraV2>(folder.path());
    }

    static QByteArray transact(MisServiceForKovraV2& service, const QString& body)
    {
        HttpRequest request;
        request.setMethod(QStringLiteral("POST"));
        request.setBody(body);
        HttpResponse response;
        EXPECT_FALSE(service.do_trans(&request, &response));
        EXPECT_EQ(response.statusCode(), 200);
        return response.body().toUtf8();
    }

    LogCapture log;
    V2ProgramFolder folder;
    Keys config { { QStringLiteral("CommunityType"), QStringLiteral("3") } };
};

TEST_F(V2BindingTest, LoadsTheLibraryAndPointsItAtItsOwnFolderAndTheProgramLogs)
{
    const auto recorder = installRecorder(recorderName, QStringLiteral("librecorder.so"));
    ASSERT_TRUE(recorder->isLoaded());
    const auto service = startService();

    const QStringList expected { QStringLiteral("getVersion()"), "setPath(" + folder.path() + "/)",
        "setLogPath(" + folder.path() + "/logs/)" };
    EXPECT_EQ(recorder->calls().mid(0, 3), expected);
    EXPECT_TRUE(log.contains(QStringLiteral("当前mis动态库版本:9.8.7.6")));
    EXPECT_TRUE(log.contains("DllNameV2:" + folder.path() + "/librecorder.so->./librecorder.so"));
}

TEST_F(V2BindingTest, HandsTheConfiguredLinkToTheLibrary)
{
    struct Case {
        const char* name;
        Keys keys;
        int setterResult; // what the mode's setter returns
        QStringList calls; // after the loading calls
        bool failureLogged;
    };
    const Case cases[] = {
        { "serial", { { "CommunityType", "0" }, { "ComNo", "4" }, { "TransTimeout", "2" } }, 0,
            { "setCharset(utf-8)", "setCOM(COM4)", "setTimeout(2)" }, false },
        { "serial refused", { { "CommunityType", "0" }, { "ComNo", "4" } }, -1,
            { "setCharset(utf-8)", "setCOM(COM4)" }, true },
        { "tcp above 32767",
            { { "CommunityType", "1" }, { "Ip", "127.0.0.1" }, { "Port", "40000" },
                { "TransTimeout", "70000" } },
            0, { "setCharset(utf-8)", "setEthernet(127.0.0.1,40000)", "setTimeout(70000)" }, false },
        { "bluetooth",
            { { "CommunityType", "2" }, { "btMac", "00:11:22:33:44:55" }, { "TransTimeout", "9" } }, 0,
            { "setCharset(utf-8)", "setBluetooth(00:11:22:33:44:55)", "setTimeout(9)" }, false },
        { "unknown mode", { { "CommunityType", "3" } }, 0, { "setCharset(utf-8)" }, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        V2ProgramFolder caseFolder;
        const QString library = caseFolder.installLibrary(RECORDER_LIBRARY, QStringLiteral("librecorder.so"));
        ZelkamisRecorderHandle recorder(library);
        for (const char* setter : { "setCOM", "setEthernet", "setBluetooth" })
            recorder.setResult(setter, c.setterResult);
        Keys keys = c.keys;
        keys.insert(QStringLiteral("DllNameV2"), recorderName);
        caseFolder.writeCommunicationConfig(keys);
        const int failuresBefore = log.count(QStringLiteral("dllv2 初始化通讯参数失败"));

        MisServiceForKovraV2 service(caseFolder.path());

        EXPECT_EQ(recorder.calls().mid(3), c.calls);
        EXPECT_EQ(
            log.count(QStringLiteral("dllv2 初始化通讯参数失败")) - failuresBefore, c.failureLogged ? 1 : 0);
    }
}

TEST_F(V2BindingTest, FindsTheLibraryByEveryFormOfItsName)
{
    struct Case {
        QString dllName;
        QString installedAt;
    };
    const Case cases[] = {
        { "./sub/librecorder.so", "sub/librecorder.so" },
        { "librecorder.so", "librecorder.so" },
        { "/librecorder.so", "librecorder.so" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dllName.toStdString());
        V2ProgramFolder caseFolder;
        const QString library = caseFolder.installLibrary(RECORDER_LIBRARY, c.installedAt);
        ZelkamisRecorderHandle recorder(library);
        caseFolder.writeCommunicationConfig({ { "DllNameV2", c.dllName }, { "CommunityType", "3" } });

        MisServiceForKovraV2 service(caseFolder.path());

        const QString libraryDir = library.left(library.lastIndexOf('/') + 1);
        EXPECT_TRUE(recorder.calls().contains("setPath(" + libraryDir + ")"));
    }
}

TEST_F(V2BindingTest, WithoutTheLibraryFileTransactionsAnswerLibraryNotLoaded)
{
    config.insert(QStringLiteral("DllNameV2"), QStringLiteral("./absent.so"));
    const auto service = startService();

    EXPECT_TRUE(log.contains("loadLibrary " + folder.path() + "/absent.so failed."));
    EXPECT_TRUE(log.contains(QStringLiteral("dllv2 初始化通讯参数失败")));
    EXPECT_EQ(
        transact(*service, QStringLiteral(R"({"CMD":"SALE"})")), R"({"code":"02","msg":"动态库未加载"})");
    EXPECT_FALSE(service->loadLibrary());
}

TEST_F(V2BindingTest, MissingExportsAreLoggedAndTheOthersStillUsed)
{
    const auto recorder
        = installRecorder(recorderName, QStringLiteral("librecorder.so"), RECORDER_PARTIAL_LIBRARY);
    config.insert(QStringLiteral("CommunityType"), QStringLiteral("0"));
    const auto service = startService();

    EXPECT_TRUE(log.contains(QStringLiteral("loadLibrary not fount setCOM()")));
    EXPECT_TRUE(log.contains(QStringLiteral("loadLibrary not fount setOther()")));
    EXPECT_FALSE(log.contains(QStringLiteral("loadLibrary not fount setEthernet()")));
    EXPECT_EQ(recorder->calls().mid(3), QStringList { "setCharset(utf-8)" });
    EXPECT_TRUE(log.contains(QStringLiteral("dllv2 初始化通讯参数失败")));

    // The settings window saves TCP mode and tells the service.
    config.insert(
        { { "CommunityType", "1" }, { "Ip", "127.0.0.1" }, { "Port", "20499" }, { "TransTimeout", "5" } });
    folder.writeCommunicationConfig(config);
    recorder->clear();
    EXPECT_TRUE(service->reloadConfig());
    service->initTrans();
    EXPECT_EQ(recorder->calls(),
        (QStringList { "setCharset(utf-8)", "setEthernet(127.0.0.1,20499)", "setTimeout(5)" }));
    EXPECT_EQ(transact(*service, QStringLiteral("{}")),
        R"({"code":"00","msg":"success","rspData":"{\"recorded\":true}"})");
}

TEST_F(V2BindingTest, LibraryResultCodesBecomeAnswers)
{
    struct Case {
        int code;
        QByteArray answer;
    };
    const Case cases[] = {
        { 0, R"({"code":"00","msg":"success","rspData":"{\"recorded\":true}"})" },
        { -5, R"({"code":"02","msg":"接收数据失败"})" },
        { -12, R"({"code":"02","msg":"-12:未定义的错误码"})" },
    };
    const auto recorder = installRecorder(recorderName, QStringLiteral("librecorder.so"));
    const auto service = startService();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        recorder->setResult("doTransaction", c.code);
        EXPECT_EQ(transact(*service, QStringLiteral("{}")), c.answer);
    }
}

TEST_F(V2BindingTest, RequestTextReachesTheLibraryAsUtf8)
{
    const auto recorder = installRecorder(recorderName, QStringLiteral("librecorder.so"));
    const auto service = startService();
    const QString body = QStringLiteral(R"({"CMD":"SALE","MEMO":"收银台 1 号 €"})");
    transact(*service, body);
    EXPECT_EQ(recorder->calls().last(), "doTransaction(" + body + ")");
}

TEST_F(V2BindingTest, CallsIntoTheLibraryNeverOverlap)
{
    const auto recorder = installRecorder(recorderName, QStringLiteral("librecorder.so"));
    const auto service = startService();
    recorder->setTransactionDelayMs(300);
    recorder->clear();

    // A request on a connection thread while the settings window saves.
    std::thread connection([&service] { transact(*service, QStringLiteral("{}")); });
    const bool transactionStarted
        = QTest::qWaitFor([&recorder] { return !recorder->calls().isEmpty(); }, 5000);
    service->reloadConfig();
    service->initTrans();
    connection.join();

    ASSERT_TRUE(transactionStarted);
    EXPECT_EQ(recorder->calls().first(), "doTransaction({})");
    EXPECT_EQ(recorder->calls().mid(1), QStringList { "setCharset(utf-8)" });
    EXPECT_EQ(recorder->mostConcurrentCalls(), 1);
}

TEST(V2ResultMessage, CoversTheLibraryCodesAndNamesOthers)
{
    const QPair<int, QString> cases[] = {
        { 0, "执行成功" },
        { -1, "执行失败" },
        { -2, "入参数据解析错" },
        { -3, "打开通讯串口或者连接主机失败" },
        { -4, "发送数据失败" },
        { -5, "接收数据失败" },
        { -6, "通信参数未初始化" },
        { -7, "握手失败" },
        { -8, "解析交易数据失败" },
        { -9, "加载动态库文件失败" },
        { -999, "动态库未加载" },
        { 5, "5:未定义的错误码" },
        { -12, "-12:未定义的错误码" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(MisServiceForKovraV2::resultMessage(c.first), c.second) << c.first;
}

} // namespace
