// The settings window's connection test with "Use_dll_v2" off: a sign-on
// through the older payment service, against the recording stand-in for its
// library copied beside the test program.
#include "dialogfixture.h"
#include "modalboxanswerer.h"
#include "privateprogramcopy.h"

#include <QFile>
#include <QStringList>
#include <QToolButton>

static const bool runsFromPrivateCopy = runFromPrivateCopy();

namespace
{

class DialogWithOlderLibrary : public DialogFixture
{
protected:
    void SetUp() override
    {
        DialogFixture::SetUp();
        ASSERT_NO_FATAL_FAILURE(installBesideProgram(KOVRAMIS_DOUBLE_LIBRARY, "libkovramis.so"));
        QFile::remove(tracePath());
        qputenv("KOVRAMIS_DOUBLE_TRACE", QFile::encodeName(tracePath()));
        qputenv("KOVRAMIS_DOUBLE_RESULT_TEXT", "signed on");
        writeIni("CommunicationConfig.ini", "POS_INFO",
            { { "CommunityType", 1 }, { "Ip", "127.0.0.1" }, { "Port", 40000 }, { "TransTimeout", 5 },
                { "Use_dll_v2", false }, { "DllName", "./libkovramis.so" } });
    }

    void TearDown() override
    {
        DialogFixture::TearDown();
        qunsetenv("KOVRAMIS_DOUBLE_TRACE");
        qunsetenv("KOVRAMIS_DOUBLE_RESULT_TEXT");
    }

    static QString tracePath() { return programFile("trace.txt"); }

    // The library calls recorded so far, one "name(args)" each.
    static QStringList trace()
    {
        QFile file(tracePath());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    }
};

} // namespace

TEST_F(DialogWithOlderLibrary, ConnectionTestSignsOnAndShowsTheServicesAnswer)
{
    buildDialog();
    ModalBoxAnswerer ok(QMessageBox::Ok);
    child<QToolButton>("btn_test_login")->click();

    ASSERT_TRUE(ok.answered());
    EXPECT_EQ(ok.title(), "连接测试结果");
    EXPECT_EQ(ok.text(), R"({"code":"00","msg":"success","rspData":"signed on"})");

    // A sign-on (type 5) whose trace number reached the library as empty text:
    // the service hands over only JSON strings, so the number went without quotes.
    // Had the member been missing, the service would have refused the request
    // before calling the library.
    const QStringList calls = trace();
    EXPECT_TRUE(calls.contains("setTransType(5)")) << calls.join(' ').toStdString();
    EXPECT_TRUE(calls.contains("setMisTraceNo()")) << calls.join(' ').toStdString();
    EXPECT_TRUE(calls.contains("startTrans()")) << calls.join(' ').toStdString();
}
