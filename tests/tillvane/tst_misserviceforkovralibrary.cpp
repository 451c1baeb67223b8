#include "kovramisdoublesetup.h"
#include "logcapture.h"
#include "misserviceforkovra.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>

// Loading the library, the communication set-up, the handshake and the
// serialising of calls, against the recording library.

namespace
{

using Library = KovraMisDoubleSetup::Library;

const QString kNotLoaded = R"({"code":"02","msg":"动态库未加载"})";
const QString kNoHandshake = R"({"code":"04","msg":"不支持连接测试"})";
const QByteArray kSignBody = R"({"misTraceNo":"1"})";

class KovraLibrary : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(setup.isValid()); }

    std::unique_ptr<MisServiceForKovra> serviceWith(
        Library library, const QByteArray& settings = KovraMisDoubleSetup::tcpSettings)
    {
        setup.writeConfig(library, settings);
        return setup.makeService();
    }

    LogCapture log;
    KovraMisDoubleSetup setup;
};

TEST_F(KovraLibrary, CommunicationSetUpFollowsTheModeWithFullNumbers)
{
    const struct {
        const char* name;
        const char* settings;
        QStringList setUp;
    } cases[] = {
        { "serial", "CommunityType=0\nComNo=3\nBaudRate=115200\nTransTimeout=90\n",
            { "initTransaction()", "setCommuMode(0)", "setRS232Parameter(3,115200)", "setTimeout(90)" } },
        { "serial 57600", "CommunityType=0\nComNo=40\nBaudRate=57600\nTransTimeout=40000\n",
            { "initTransaction()", "setCommuMode(0)", "setRS232Parameter(40,57600)", "setTimeout(40000)" } },
        { "tcp", "CommunityType=1\nIp=192.168.1.20\nPort=40000\nTransTimeout=30\n",
            { "initTransaction()", "setCommuMode(1)", "setEhernetParameter(192.168.1.20,40000)",
                "setTimeout(30)" } },
        { "bluetooth", "CommunityType=2\nbtMac=00:11:22:33:44:55\nTransTimeout=30\n",
            { "initTransaction()", "setCommuMode(2)", "setTimeout(30)" } },
        { "other mode", "CommunityType=7\nTransTimeout=30\n",
            { "initTransaction()", "setCommuMode(7)", "setTimeout(30)" } },
    };
    for (const auto& c : cases) {
        auto service = serviceWith(Library::Full, c.settings);
        setup.clearTrace();

        sendToService(*service, "/kovra/sign/", kSignBody);

        EXPECT_EQ(setup.trace().mid(0, c.setUp.size()), c.setUp) << c.name;
        EXPECT_EQ(setup.trace().value(c.setUp.size()), "setTransType(5)") << c.name;
    }
}

TEST_F(KovraLibrary, HandshakeSetsUpTheLinkAndReportsTheTerminalsAnswer)
{
    auto service = serviceWith(Library::Full);
    const struct {
        int result;
        const char* answer;
    } cases[] = { { 0, R"({"code":"00","msg":"succeed"})" }, { 5, R"({"code":"04","msg":"failed"})" } };
    for (const auto& c : cases) {
        setup.clearTrace();
        setup.scriptHandshake(c.result);

        HttpResponse response = sendToService(*service, "/kovra/handshake/", "not even JSON");

        EXPECT_EQ(response.statusCode(), 200) << c.result;
        EXPECT_EQ(response.body(), QString::fromUtf8(c.answer)) << c.result;
        EXPECT_EQ(setup.trace(),
            QStringList({ "initTransaction()", "setCommuMode(1)", "setEhernetParameter(10.1.2.3,40000)",
                "setTimeout(60)", "doHandShake()" }))
            << c.result;
    }
}

TEST_F(KovraLibrary, MissingLibraryIsLoggedAndEveryRequestIsAnsweredWithoutCalls)
{
    auto service = serviceWith(Library::Missing);

    EXPECT_TRUE(log.contains("loadLibrary " + setup.libraryPath(Library::Missing) + " failed."));
    EXPECT_EQ(
        sendToService(*service, "/kovra/pay/", R"({"amount":"1","misTraceNo":"2"})").body(), kNotLoaded);
    EXPECT_EQ(sendToService(*service, "/kovra/confirm/", "{}").body(), kNotLoaded);
    EXPECT_EQ(sendToService(*service, "/kovra/handshake/", "").body(), kNoHandshake);
    // A body that is not JSON is still the caller's fault.
    EXPECT_TRUE(sendToService(*service, "/kovra/confirm/", "abc").body().startsWith(R"({"code":"01",)"));
}

TEST_F(KovraLibrary, MissingFunctionsAreLoggedInNameOrder)
{
    auto service = serviceWith(Library::Partial);

    const QStringList lines = log.lines().filter("loadLibrary not fount ");
    EXPECT_EQ(lines,
        QStringList({ "loadLibrary not fount doHandShake", "loadLibrary not fount setBillInfo",
            "loadLibrary not fount setFixInputItem" }));
}

TEST_F(KovraLibrary, TransactionNeedingAMissingFunctionCallsNothing)
{
    auto service = serviceWith(Library::Partial);
    setup.scriptResult(0, "signed");

    EXPECT_EQ(
        sendToService(*service, "/kovra/pay/", R"({"amount":"1","misTraceNo":"2"})").body(), kNotLoaded);
    EXPECT_EQ(sendToService(*service, "/kovra/handshake/", "").body(), kNoHandshake);
    EXPECT_EQ(setup.trace(), QStringList());

    // The functions that are there still serve the transactions that need only them.
    EXPECT_EQ(sendToService(*service, "/kovra/sign/", kSignBody).body(),
        R"({"code":"00","msg":"success","rspData":"signed"})");
}

TEST_F(KovraLibrary, ReloadedSettingsApplyToTheNextTransaction)
{
    auto service = serviceWith(Library::Full);
    setup.writeConfig(Library::Full, "CommunityType=0\nComNo=2\nBaudRate=19200\nTransTimeout=45\n");

    EXPECT_TRUE(service->reloadConfig());
    sendToService(*service, "/kovra/sign/", kSignBody);

    EXPECT_EQ(setup.trace().mid(0, 4),
        QStringList(
            { "initTransaction()", "setCommuMode(0)", "setRS232Parameter(2,19200)", "setTimeout(45)" }));
}

TEST_F(KovraLibrary, ConcurrentTransactionsDoNotInterleaveTheirCalls)
{
    auto service = serviceWith(Library::Full);
    // Long enough that the other thread reaches the service while one transaction runs.
    setup.scriptStartDelay(100);

    std::thread connectionThread(
        [&] { sendToService(*service, "/kovra/pay/", R"({"amount":"1","misTraceNo":"P"})"); });
    std::thread handshakeThread([&] { sendToService(*service, "/kovra/handshake/", ""); });
    sendToService(*service, "/kovra/sign/", R"({"misTraceNo":"S"})");
    connectionThread.join();
    handshakeThread.join();

    // Each run is one unbroken block from initTransaction to its last call.
    const QStringList trace = setup.trace();
    QList<QStringList> blocks;
    for (const QString& call : trace) {
        if (call == "initTransaction()")
            blocks.append(QStringList());
        ASSERT_FALSE(blocks.isEmpty());
        blocks.last().append(call);
    }
    ASSERT_EQ(blocks.size(), 3) << trace.join(' ').toStdString();
    for (const QStringList& block : blocks) {
        const QString last = block.last();
        const bool complete = last == "doHandShake()" ? block.size() == 5 : last == "GetTransResultString()";
        EXPECT_TRUE(complete) << block.join(' ').toStdString();
        EXPECT_EQ(block.filter("initTransaction").size(), 1);
    }
}

} // namespace
