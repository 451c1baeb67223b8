#include "logcapture.h"
#include "logwriter.h"
#include "logwriterhandler.h"
#include "savelogsetting.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>

namespace {

class SaveLogSettingTest : public ::testing::Test
{
protected:
    QString iniPath() const { return m_dir.filePath(QStringLiteral("server.ini")); }

    void writeIni(const QByteArray& content) const
    {
        QFile file(iniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QTemporaryDir m_dir;
};

struct SwitchCase
{
    const char* name;
    const char* iniContent; // nullptr: no file
    bool expectedOn;
};

void PrintTo(const SwitchCase& c, std::ostream* os)
{
    *os << c.name;
}

class SaveLogSettingLoadTest : public SaveLogSettingTest, public ::testing::WithParamInterface<SwitchCase>
{
};

TEST_P(SaveLogSettingLoadTest, ReadsTheSwitchFromTheFile)
{
    if (GetParam().iniContent)
        writeIni(GetParam().iniContent);

    EXPECT_EQ(SaveLogSetting(iniPath()).saveLog(), GetParam().expectedOn);
}

INSTANTIATE_TEST_SUITE_P(IniContents, SaveLogSettingLoadTest,
                         ::testing::Values(SwitchCase{"NoFile", nullptr, true},
                                           SwitchCase{"NoKey", "[HTTP_INFO]\nPort=9000\n", true},
                                           SwitchCase{"Off", "[SYS]\nsavelog=false\n", false},
                                           SwitchCase{"On", "[SYS]\nsavelog=true\n", true}),
                         [](const ::testing::TestParamInfo<SwitchCase>& info) { return std::string(info.param.name); });

TEST_F(SaveLogSettingTest, SwitchingKeepsTheChoiceInAnExistingFile)
{
    writeIni("[HTTP_INFO]\nPort=9000\n");
    SaveLogSetting setting(iniPath());
    const LogCapture messages;

    setting.setsaveLogFlag(false);

    EXPECT_FALSE(setting.saveLog());
    EXPECT_FALSE(SaveLogSetting(iniPath()).saveLog());
    EXPECT_EQ(QSettings(iniPath(), QSettings::IniFormat).value(QStringLiteral("HTTP_INFO/Port")).toInt(), 9000);
    EXPECT_EQ(messages.linesOf(QtDebugMsg),
              QStringList({QStringLiteral("setsaveLogFlag: false"), QStringLiteral("setsaveLogFlag: over-> false")}));
}

TEST_F(SaveLogSettingTest, SwitchingWithoutAFileChangesOnlyTheRunningProcess)
{
    SaveLogSetting setting(iniPath());
    const LogCapture messages;

    setting.setsaveLogFlag(false);

    EXPECT_FALSE(setting.saveLog());
    EXPECT_FALSE(QFile::exists(iniPath()));
    EXPECT_EQ(messages.linesOf(QtDebugMsg), QStringList(QStringLiteral("setsaveLogFlag: false")));
}

TEST_F(SaveLogSettingTest, SwitchingOnIsTheFirstLineOfALogThatWasOff)
{
    writeIni("[SYS]\nsavelog=false\n");
    SaveLogSetting setting(iniPath());
    const QString logDirectory = m_dir.filePath(QStringLiteral("logs"));
    LogWriter writer([&setting] { return setting.saveLog(); }, [&logDirectory] { return logDirectory; },
                     [] { return QDateTime(QDate(2020, 7, 28), QTime(12, 32, 40, 123)); });
    const LogWriterHandler handler(writer);

    qDebug("while off");
    EXPECT_FALSE(QDir(logDirectory).exists());

    setting.setsaveLogFlag(true);
    setting.setsaveLogFlag(false);
    qDebug("off again");

    QFile log(logDirectory + QStringLiteral("/log_20200728.log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(log.readAll()).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 3);
    const QRegularExpression prefix(QStringLiteral("^\\[.*\\]:\\d+_20200728 12:32:40\\.123_Debug : "));
    EXPECT_EQ(lines[0].section(prefix, 1), QStringLiteral("setsaveLogFlag: true"));
    EXPECT_EQ(lines[1].section(prefix, 1), QStringLiteral("setsaveLogFlag: over-> true"));
    EXPECT_EQ(lines[2], QString());
}

} // namespace
