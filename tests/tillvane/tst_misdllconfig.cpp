#include "logcapture.h"
#include "misdllconfig.h"
#include "programdirtempfolder.h"

#include <gtest/gtest.h>

#include <ostream>
#include <tuple>

namespace {

const QString kIniName = QStringLiteral("CommunicationConfig.ini");

// The fields that the file holds, in a form that prints readably.
struct Fields
{
    bool useDllV2;
    int commuMode;
    int timeout;
    int hostPort;
    QString hostIP;
    int comPort;
    int comBaud;
    QString dllFile;
    QString dllFile2;
    QString btMac;

    auto tied() const
    {
        return std::tie(useDllV2, commuMode, timeout, hostPort, hostIP, comPort, comBaud, dllFile, dllFile2, btMac);
    }
    bool operator==(const Fields& other) const { return tied() == other.tied(); }
};

void PrintTo(const Fields& f, std::ostream* os)
{
    *os << "useDllV2=" << f.useDllV2 << " commuMode=" << f.commuMode << " timeout=" << f.timeout
        << " hostPort=" << f.hostPort << " hostIP=" << f.hostIP.toStdString() << " comPort=" << f.comPort
        << " comBaud=" << f.comBaud << " dllFile=" << f.dllFile.toStdString()
        << " dllFile2=" << f.dllFile2.toStdString() << " btMac=" << f.btMac.toStdString();
}

Fields fieldsOf(const MisDllConfig& c)
{
    return {c.m_useDllV2, c.m_commuMode, c.m_timout, c.m_hostPort, c.m_hostIP, c.m_comPort,
            c.m_comBaud,  c.m_dllFile,   c.m_dllFile2, c.m_btMac};
}

const Fields kConstructorDefaults{false, 1, 180, 20499, "", 1, 9600, "libkovramis.so", "./libzelkamisdll.so", ""};
const Fields kMissingKeyDefaults{true, 1, 180, 20499, "", 1, 9600, "./libkovramis.so", "./libzelkamisdll.so", ""};

struct LoadCase
{
    const char* name;
    const char* iniContent; // nullptr: no file
    bool loaded;
    Fields expected;
};

void PrintTo(const LoadCase& c, std::ostream* os)
{
    *os << c.name;
}

class MisDllConfigLoadTest : public ::testing::TestWithParam<LoadCase>
{
};

TEST_P(MisDllConfigLoadTest, ReadsTheFileIntoTheFields)
{
    const ProgramDirTempFolder folder;
    ASSERT_TRUE(folder.isValid());
    if (GetParam().iniContent)
        folder.writeFile(kIniName, GetParam().iniContent);

    const MisDllConfig config(folder.relativeName(kIniName));

    EXPECT_EQ(config.m_loaded, GetParam().loaded);
    EXPECT_EQ(fieldsOf(config), GetParam().expected);
    EXPECT_EQ(config.m_filePath, folder.absolutePath(kIniName));
}

INSTANTIATE_TEST_SUITE_P(
    IniContents, MisDllConfigLoadTest,
    ::testing::Values(
        LoadCase{"NoFile", nullptr, false, kConstructorDefaults},
        LoadCase{"SectionOnly", "[POS_INFO]\n", true, kMissingKeyDefaults},
        LoadCase{"EveryKey",
                 "[POS_INFO]\nCommunityType=0\nTransTimeout=60\nIp=10.0.0.5\nPort=8000\nComNo=3\nBaudRate=115200\n"
                 "btMac=00:11:22:33:44:55\nDllName=./v1.so\nDllNameV2=./v2.so\nUse_dll_v2=false\n",
                 true,
                 {false, 0, 60, 8000, "10.0.0.5", 3, 115200, "./v1.so", "./v2.so", "00:11:22:33:44:55"}},
        LoadCase{"LettersForNumbers",
                 "[POS_INFO]\nCommunityType=tcp\nTransTimeout=abc\nPort=x8000\nComNo=COM3\nBaudRate=fast\n", true,
                 {true, 0, 0, 0, "", 0, 0, "./libkovramis.so", "./libzelkamisdll.so", ""}},
        LoadCase{"UnknownMode", "[POS_INFO]\nCommunityType=5\n", true,
                 {true, 5, 180, 20499, "", 1, 9600, "./libkovramis.so", "./libzelkamisdll.so", ""}},
        LoadCase{"PortAbove32767", "[POS_INFO]\nPort=40000\n", true,
                 {true, 1, 180, 40000, "", 1, 9600, "./libkovramis.so", "./libzelkamisdll.so", ""}}),
    [](const ::testing::TestParamInfo<LoadCase>& info) { return std::string(info.param.name); });

class MisDllConfigTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_folder.isValid()); }

    QString iniName() const { return m_folder.relativeName(kIniName); }

    const ProgramDirTempFolder m_folder;
};

TEST_F(MisDllConfigTest, LogsThePathAndTheV2LibraryOfALoad)
{
    m_folder.writeFile(kIniName, "[POS_INFO]\nDllNameV2=./v2.so\n");
    const LogCapture messages;

    const MisDllConfig config(iniName());

    EXPECT_EQ(messages.lines(),
              QStringList({QStringLiteral("MisDllConfig file path: \"%1\"").arg(m_folder.absolutePath(kIniName)),
                           QStringLiteral("m_dllFile2= \"./v2.so\"")}));
}

TEST_F(MisDllConfigTest, FromPathLoadsThatFileAsItStandsAndLogsOnlyIt)
{
    m_folder.writeFile(kIniName, "[POS_INFO]\nDllNameV2=./v2.so\nPort=40000\n");
    const LogCapture messages;

    MisDllConfig config = MisDllConfig::fromPath(m_folder.absolutePath(kIniName));

    EXPECT_TRUE(config.m_loaded);
    EXPECT_EQ(config.m_hostPort, 40000);
    EXPECT_EQ(messages.lines(),
              QStringList({QStringLiteral("MisDllConfig file path: \"%1\"").arg(m_folder.absolutePath(kIniName)),
                           QStringLiteral("m_dllFile2= \"./v2.so\"")}));
    m_folder.writeFile(kIniName, "[POS_INFO]\nPort=40001\n");
    EXPECT_TRUE(config.reload());
    EXPECT_EQ(config.m_hostPort, 40001);
}

TEST_F(MisDllConfigTest, SavesEveryKeyOfTheConstructorDefaults)
{
    const MisDllConfig config(iniName());

    config.save();

    EXPECT_EQ(m_folder.readFile(kIniName).toStdString(),
              "[POS_INFO]\nBaudRate=9600\nComNo=1\nCommunityType=1\nDllName=libkovramis.so\n"
              "DllNameV2=./libzelkamisdll.so\nIp=\nPort=20499\nTransTimeout=180\nUse_dll_v2=false\nbtMac=\n");
}

TEST_F(MisDllConfigTest, ReloadSeesWhatAnotherCopySaved)
{
    MisDllConfig dialogCopy(iniName());
    MisDllConfig serviceCopy(iniName());
    const Fields edited{true, 0, 45, 40000, "192.168.1.20", 4, 19200, "./v1.so", "./v2.so", "AA:BB:CC:DD:EE:FF"};
    std::tie(dialogCopy.m_useDllV2, dialogCopy.m_commuMode, dialogCopy.m_timout, dialogCopy.m_hostPort,
             dialogCopy.m_hostIP, dialogCopy.m_comPort, dialogCopy.m_comBaud, dialogCopy.m_dllFile,
             dialogCopy.m_dllFile2, dialogCopy.m_btMac) = edited.tied();

    dialogCopy.save();

    EXPECT_TRUE(serviceCopy.reload());
    EXPECT_TRUE(serviceCopy.m_loaded);
    EXPECT_EQ(fieldsOf(serviceCopy), edited);
}

TEST_F(MisDllConfigTest, WarnsNamingAFileThatCannotBeWritten)
{
    m_folder.writeFile(QStringLiteral("blocker"), "a file where a folder should be");
    const MisDllConfig config(m_folder.relativeName(QStringLiteral("blocker/") + kIniName));
    const LogCapture messages;

    config.save();

    const QStringList warnings = messages.linesOf(QtWarningMsg);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings.first().contains(m_folder.absolutePath(QStringLiteral("blocker/") + kIniName)))
        << warnings.first().toStdString();
}

struct ToStringCase
{
    const char* name;
    QString hostIP;
    int hostPort;
    const char* expected;
};

void PrintTo(const ToStringCase& c, std::ostream* os)
{
    *os << c.name;
}

class MisDllConfigToStringTest : public ::testing::TestWithParam<ToStringCase>
{
};

TEST_P(MisDllConfigToStringTest, ListsTheCommunicationFields)
{
    MisDllConfig config(QStringLiteral("./no-such-folder/") + kIniName);
    config.m_hostIP = GetParam().hostIP;
    config.m_hostPort = GetParam().hostPort;

    EXPECT_EQ(config.toString().toStdString(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, MisDllConfigToStringTest,
    ::testing::Values(
        ToStringCase{"ConstructorDefaults", QString(), 20499,
                     "m_commuMode:1,m_timout:180,m_hostPort:20499,m_hostIP:,m_comPort:1,m_comBaud:9600"},
        ToStringCase{"PlaceholderInAddress", QStringLiteral("10.0.0.%5"), 40000,
                     "m_commuMode:1,m_timout:180,m_hostPort:40000,m_hostIP:10.0.0.%5,m_comPort:1,m_comBaud:9600"}),
    [](const ::testing::TestParamInfo<ToStringCase>& info) { return std::string(info.param.name); });

} // namespace
