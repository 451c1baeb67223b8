// The program itself, started from a private copy: the first run shows its
// window and registers autostart, later runs listen at once, and SIGTERM or
// SIGINT end it with both settings files written.
#include "dialogfixture.h"
#include "loopbackhttp.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {

class ProgramCopy : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        const QString built = QCoreApplication::applicationDirPath() + "/../../bin/tillvane";
        ASSERT_TRUE(QFile::copy(built, path("tillvane"))) << "the program is built into build/bin";
    }

    void TearDown() override
    {
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished(5000);
        }
    }

    QString path(const QString& name) const { return folder.path() + '/' + name; }

    void start()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("HOME", folder.path());
        environment.insert("XDG_CONFIG_HOME", path("config"));
        program.setProcessEnvironment(environment);
        program.setWorkingDirectory(folder.path());
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.start(path("tillvane"), QStringList());
        ASSERT_TRUE(program.waitForStarted(5000));
    }

    // Sends the signal to the program's own process id and waits for its end.
    void endWith(int signal)
    {
        ASSERT_EQ(::kill(static_cast<pid_t>(program.processId()), signal), 0);
        ASSERT_TRUE(program.waitForFinished(10000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0);
    }

    QString autostartEntry() const { return path("config/autostart/tillvane.desktop"); }

    QTemporaryDir folder;
    QProcess program;
};

} // namespace

TEST_F(ProgramCopy, FirstRunShowsTheWindowAndLaterRunsListenAtOnce)
{
    const quint16 port = DialogFixture::freePort();
    QSettings(path("server.ini"), QSettings::IniFormat).setValue("HTTP_INFO/Port", port);

    start();
    EXPECT_TRUE(QTest::qWaitFor([this] { return QFile::exists(autostartEntry()); }, 10000));
    EXPECT_EQ(loopbackGetBody(port), QByteArray()) << "the first run does not listen";
    endWith(SIGTERM);
    EXPECT_TRUE(QFile::exists(path("CommunicationConfig.ini"))) << "written when the window was destroyed";

    QFile::remove(autostartEntry());
    start();
    EXPECT_TRUE(QTest::qWaitFor([port] { return loopbackGetBody(port) == "hello world."; }, 10000));
    endWith(SIGINT);
    EXPECT_TRUE(QFile::exists(autostartEntry())) << "the checked start-with-system box writes it at every start";

    QDir logs(path("logs"));
    QString log;
    for (const QString& name : logs.entryList(QDir::Files)) {
        QFile file(logs.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        log += QString::fromUtf8(file.readAll());
    }
    EXPECT_TRUE(log.contains("main thread: "));
    EXPECT_TRUE(log.contains(QStringLiteral("listen on  %1").arg(port)));
}
