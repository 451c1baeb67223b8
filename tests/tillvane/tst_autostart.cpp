#include "autostart.h"
#include "desktopexecvalue.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

TEST(DesktopExecValue, QuotesAndEscapesWhatTheEntryFormatReserves)
{
    const struct {
        const char* path;
        const char* expected;
    } cases[] = {
        {"/opt/tillvane/bin/tillvane", "/opt/tillvane/bin/tillvane"},
        {"/home/shop user/tillvane", "\"/home/shop user/tillvane\""},
        {"/srv/100%/tillvane", "/srv/100%%/tillvane"},
        {"/srv/$HOME/tillvane", "\"/srv/\\\\$HOME/tillvane\""},
        {"/srv/say \"hi\"/tillvane", "\"/srv/say \\\\\"hi\\\\\"/tillvane\""},
        {"/srv/back\\slash/tillvane", "\"/srv/back\\\\\\\\slash/tillvane\""},
        {"/srv/收银/tillvane", "/srv/收银/tillvane"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(desktopExecValue(QString::fromUtf8(c.path)), QString::fromUtf8(c.expected)) << c.path;
}

class AutoStartEntry : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(configHome.isValid());
        previous = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", previous); }

    QString entryPath() const
    {
        return configHome.path() + "/autostart/" + QCoreApplication::applicationName() + ".desktop";
    }

    QTemporaryDir configHome;
    QByteArray previous;
};

TEST_F(AutoStartEntry, OnWritesAnEntryThatRunsThisProgramAndOffRemovesIt)
{
    setAutoStart(true);
    ASSERT_TRUE(QFile::exists(entryPath()));
    QSettings entry(entryPath(), QSettings::IniFormat);
    entry.beginGroup("Desktop Entry");
    EXPECT_EQ(entry.value("Type").toString(), "Application");
    EXPECT_EQ(entry.value("Name").toString(), QCoreApplication::applicationName());
    EXPECT_EQ(entry.value("Exec").toString(), QCoreApplication::applicationFilePath());

    setAutoStart(true);
    EXPECT_TRUE(QFile::exists(entryPath()));

    setAutoStart(false);
    EXPECT_FALSE(QFile::exists(entryPath()));
    setAutoStart(false);
    EXPECT_FALSE(QFile::exists(entryPath()));
}
