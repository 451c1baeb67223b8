// The settings window with the "/kovra/v2" service's real library and a
// simulated terminal: the connection test signs on, and a save hands new
// communication settings to the library at once.
#include "dialogfixture.h"
#include "modalboxanswerer.h"
#include "privateprogramcopy.h"
#include "simprocess.h"

#include <QFile>
#include <QLineEdit>
#include <QToolButton>

static const bool runsFromPrivateCopy = runFromPrivateCopy();

namespace {

class DialogWithTerminal : public DialogFixture {
protected:
    void SetUp() override
    {
        DialogFixture::SetUp();
        ASSERT_NO_FATAL_FAILURE(installBesideProgram(TERMINAL_LIBRARY, "libzelkamisdll.so"));
        // The program never creates the library's settings file; the
        // library only updates one that exists.
        QFile settings(programFile("zelkamissetting.json"));
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly | QIODevice::Truncate));
        settings.write(R"({"mode":"ETH","hostip":"127.0.0.1","port":1,"timeout":3})");
    }

    // The communication settings of a TCP terminal on port, for the v2 test.
    static void writeTerminalSettings(int port)
    {
        writeIni("CommunicationConfig.ini", "POS_INFO",
                 {{"CommunityType", 1}, {"Ip", "127.0.0.1"}, {"Port", port}, {"TransTimeout", 3},
                  {"Use_dll_v2", true}, {"DllNameV2", "./libzelkamisdll.so"}});
    }

    QString runConnectionTest()
    {
        ModalBoxAnswerer ok(QMessageBox::Ok);
        child<QToolButton>("btn_test_login")->click();
        EXPECT_TRUE(ok.answered());
        EXPECT_EQ(ok.title(), "连接测试结果");
        return ok.text();
    }

    SimProcess terminal{TERMINAL_SIM_EXECUTABLE, {}};
};

} // namespace

TEST_F(DialogWithTerminal, ConnectionTestSignsOnThroughTheV2Library)
{
    writeTerminalSettings(terminal.port());
    buildDialog();
    const QString answer = runConnectionTest();
    EXPECT_TRUE(answer.startsWith("{\"code\":\"00\",\"msg\":\"success\",\"rspData\":")) << answer.toStdString();
    EXPECT_TRUE(answer.contains("simulated")) << answer.toStdString();
}

TEST_F(DialogWithTerminal, SavingHandsTheNewTerminalAddressToTheLibrary)
{
    writeTerminalSettings(freePort());
    buildDialog();
    EXPECT_TRUE(runConnectionTest().startsWith("{\"code\":\"02\"")) << "nobody listens on the first port";

    child<QLineEdit>("et_posPort")->setText(QString::number(terminal.port()));
    child<QToolButton>("btn_save")->click();
    const QString answer = runConnectionTest();
    EXPECT_TRUE(answer.startsWith("{\"code\":\"00\"")) << answer.toStdString();
}
