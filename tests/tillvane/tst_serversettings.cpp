#include "logcapture.h"
#include "programdirtempfolder.h"
#include "serversettings.h"

#include <gtest/gtest.h>

namespace {

const QString kIniName = QStringLiteral("server.ini");

struct LoadCase
{
    const char* name;
    const char* iniContent; // nullptr: no file
    bool loaded;
    quint16 port;
    bool startWithOS;
    int timeOut;
};

void PrintTo(const LoadCase& c, std::ostream* os)
{
    *os << c.name;
}

class ServerSettingsLoadTest : public ::testing::TestWithParam<LoadCase>
{
};

TEST_P(ServerSettingsLoadTest, ReadsTheFileIntoValues)
{
    const ProgramDirTempFolder folder;
    ASSERT_TRUE(folder.isValid());
    if (GetParam().iniContent)
        folder.writeFile(kIniName, GetParam().iniContent);
    ServerSettings settings;

    EXPECT_EQ(settings.load(folder.relativeName(kIniName)), GetParam().loaded);

    EXPECT_EQ(settings.isLoaded(), GetParam().loaded);
    EXPECT_EQ(settings.port(), GetParam().port);
    EXPECT_EQ(settings.startWithOS(), GetParam().startWithOS);
    EXPECT_EQ(settings.timeOut(), GetParam().timeOut);
    EXPECT_EQ(settings.hostAddress(), QHostAddress(QHostAddress::LocalHost));
}

INSTANTIATE_TEST_SUITE_P(
    IniContents, ServerSettingsLoadTest,
    ::testing::Values(
        LoadCase{"NoFile", nullptr, false, 8888, true, 180},
        LoadCase{"SectionOnly", "[HTTP_INFO]\n", true, 8888, true, 180},
        LoadCase{"EveryKey", "[HTTP_INFO]\nStartWithOS=false\nPort=9100\nTimeOut=30\nHostIp=127.0.0.1\n", true, 9100,
                 false, 30},
        LoadCase{"LettersForNumbers", "[HTTP_INFO]\nPort=abc\nTimeOut=x1\n", true, 0, true, 0},
        LoadCase{"PortAbove16Bits", "[HTTP_INFO]\nPort=70000\n", true, 4464, true, 180},
        LoadCase{"ForeignHostIp", "[HTTP_INFO]\nHostIp=192.168.1.5\nPort=9200\n", true, 9200, true, 180},
        LoadCase{"OtherSectionOnly", "[SYS]\nPort=9300\n", true, 8888, true, 180}),
    [](const ::testing::TestParamInfo<LoadCase>& info) { return std::string(info.param.name); });

class ServerSettingsSaveTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_folder.isValid()); }

    const ProgramDirTempFolder m_folder;
    ServerSettings m_settings;
};

TEST_F(ServerSettingsSaveTest, CreatesTheFileThatLoadDidNotFind)
{
    ASSERT_FALSE(m_settings.load(m_folder.relativeName(kIniName)));
    m_settings.setPort(9000);
    m_settings.setStartWithOS(false);

    m_settings.save();

    EXPECT_EQ(m_folder.readFile(kIniName).toStdString(), "[HTTP_INFO]\nPort=9000\nStartWithOS=false\n");
}

TEST_F(ServerSettingsSaveTest, ChangesOnlyPortAndStartWithOS)
{
    m_folder.writeFile(kIniName,
                       "[HTTP_INFO]\nStartWithOS=true\nTimeOut=30\nHostIp=10.0.0.1\nPort=8888\n\n[SYS]\nsavelog=false\n");
    ASSERT_TRUE(m_settings.load(m_folder.relativeName(kIniName)));
    m_settings.setPort(9001);
    m_settings.setStartWithOS(false);

    m_settings.save();

    EXPECT_EQ(m_folder.readFile(kIniName).toStdString(),
              "[HTTP_INFO]\nHostIp=10.0.0.1\nPort=9001\nStartWithOS=false\nTimeOut=30\n\n[SYS]\nsavelog=false\n");
}

TEST_F(ServerSettingsSaveTest, WarnsNamingAFileThatCannotBeWritten)
{
    m_folder.writeFile(QStringLiteral("blocker"), "a file where a folder should be");
    m_settings.load(m_folder.relativeName(QStringLiteral("blocker/server.ini")));
    const LogCapture messages;

    m_settings.save();

    const QStringList warnings = messages.linesOf(QtWarningMsg);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings.first().contains(m_folder.absolutePath(QStringLiteral("blocker/server.ini"))))
        << warnings.first().toStdString();
}

} // namespace
