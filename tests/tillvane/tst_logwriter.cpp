#include "logwriter.h"
#include "logwriterhandler.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QThread>

#include <memory>
#include <vector>

namespace {

const QMessageLogContext kNoContext;

class LogWriterTest : public ::testing::Test
{
protected:
    QString logDirectory() const { return m_dir.filePath(QStringLiteral("logs")); }

    QByteArray logFile(const QString& day) const
    {
        QFile file(logDirectory() + QStringLiteral("/log_") + day + QStringLiteral(".log"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
    bool m_on = true;
    QDateTime m_now{QDate(2020, 7, 28), QTime(12, 32, 40, 123)};
    LogWriter m_writer{[this] { return m_on; }, [this] { return logDirectory(); }, [this] { return m_now; }};
};

struct LevelCase
{
    const char* name;
    QtMsgType type;
    const char* expectedLine;
};

void PrintTo(const LevelCase& c, std::ostream* os)
{
    *os << c.name;
}

class LogWriterLevelTest : public LogWriterTest, public ::testing::WithParamInterface<LevelCase>
{
};

TEST_P(LogWriterLevelTest, WritesOneCrLfLineWithTheLevelText)
{
    m_writer.write(GetParam().type, kNoContext, QStringLiteral("listen on  8888"));

    EXPECT_EQ(logFile(QStringLiteral("20200728")), QByteArray(GetParam().expectedLine) + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    EveryMessageType, LogWriterLevelTest,
    ::testing::Values(LevelCase{"Debug", QtDebugMsg, "[]:0_20200728 12:32:40.123_Debug : listen on  8888"},
                      LevelCase{"Warning", QtWarningMsg, "[]:0_20200728 12:32:40.123_Warning :listen on  8888"},
                      LevelCase{"Critical", QtCriticalMsg, "[]:0_20200728 12:32:40.123_Critical : listen on  8888"},
                      LevelCase{"Fatal", QtFatalMsg, "[]:0_20200728 12:32:40.123_Fatal listen on  8888"},
                      LevelCase{"Info", QtInfoMsg, "[]:0_20200728 12:32:40.123_listen on  8888"}),
    [](const ::testing::TestParamInfo<LevelCase>& info) { return std::string(info.param.name); });

TEST_F(LogWriterTest, NamesTheSourceFileAndLineOfTheMessage)
{
    const QMessageLogContext context("src/payment.cpp", 42, "pay()", "default");
    m_writer.write(QtWarningMsg, context, QStringLiteral("no terminal"));

    EXPECT_EQ(logFile(QStringLiteral("20200728")),
              QByteArray("[src/payment.cpp]:42_20200728 12:32:40.123_Warning :no terminal\r\n"));
}

TEST_F(LogWriterTest, KeepsPlaceholdersInTheMessageUnchanged)
{
    m_writer.write(QtDebugMsg, kNoContext, QStringLiteral("GET /kovra?a=%3A%1%4&b=%2"));

    EXPECT_EQ(logFile(QStringLiteral("20200728")),
              QByteArray("[]:0_20200728 12:32:40.123_Debug : GET /kovra?a=%3A%1%4&b=%2\r\n"));
}

TEST_F(LogWriterTest, AppendsToTheDayFileAndStartsANewOneAtMidnight)
{
    m_now = QDateTime(QDate(2020, 7, 28), QTime(23, 59, 59, 999));
    m_writer.write(QtDebugMsg, kNoContext, QStringLiteral("first"));
    m_writer.write(QtDebugMsg, kNoContext, QStringLiteral("second"));
    m_now = QDateTime(QDate(2020, 7, 29), QTime(0, 0, 0, 0));
    m_writer.write(QtDebugMsg, kNoContext, QStringLiteral("third"));

    EXPECT_EQ(logFile(QStringLiteral("20200728")),
              QByteArray("[]:0_20200728 23:59:59.999_Debug : first\r\n"
                         "[]:0_20200728 23:59:59.999_Debug : second\r\n"));
    EXPECT_EQ(logFile(QStringLiteral("20200729")), QByteArray("[]:0_20200729 00:00:00.000_Debug : third\r\n"));
}

TEST_F(LogWriterTest, WritesUtf8WhateverTheLocaleCodec)
{
    QTextCodec* const localeCodec = QTextCodec::codecForLocale();
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("ISO-8859-1"));
    m_writer.write(QtDebugMsg, kNoContext, QStringLiteral("签到成功 café"));
    QTextCodec::setCodecForLocale(localeCodec);

    EXPECT_EQ(logFile(QStringLiteral("20200728")),
              QByteArray("[]:0_20200728 12:32:40.123_Debug : ") + QStringLiteral("签到成功 café").toUtf8() + "\r\n");
}

TEST_F(LogWriterTest, WritesNothingAndCreatesNoFolderWhileSwitchedOff)
{
    m_on = false;
    m_writer.write(QtWarningMsg, kNoContext, QStringLiteral("dropped"));

    EXPECT_FALSE(QDir(logDirectory()).exists());
}

TEST(LogWriterFolder, CreatesOneMissingLevelOnlyAndDropsTheLineOtherwise)
{
    QTemporaryDir base;
    const QString nested = base.filePath(QStringLiteral("program/logs"));
    LogWriter writer{[] { return true; }, [&nested] { return nested; },
                     [] { return QDateTime(QDate(2020, 7, 28), QTime(12, 0)); }};

    writer.write(QtDebugMsg, kNoContext, QStringLiteral("lost"));
    EXPECT_FALSE(QDir(base.filePath(QStringLiteral("program"))).exists());

    ASSERT_TRUE(QDir(base.path()).mkdir(QStringLiteral("program")));
    writer.write(QtDebugMsg, kNoContext, QStringLiteral("kept"));
    QFile file(nested + QStringLiteral("/log_20200728.log"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("[]:0_20200728 12:00:00.000_Debug : kept\r\n"));
}

TEST_F(LogWriterTest, MessageRaisedWhileWritingDoesNotWaitForItself)
{
    bool raised = false;
    LogWriter writer([] { return true; },
                     [&] {
                         if (!raised) {
                             raised = true;
                             qWarning("raised inside the writer");
                         }
                         return logDirectory();
                     },
                     [this] { return m_now; });
    const LogWriterHandler handler(writer);

    qDebug("outer");

    EXPECT_TRUE(raised);
    EXPECT_EQ(logFile(QStringLiteral("20200728")).count("\r\n"), 1);
    EXPECT_TRUE(logFile(QStringLiteral("20200728")).endsWith("_Debug : outer\r\n"));
}

TEST_F(LogWriterTest, LinesOfSeveralThreadsNeverInterleave)
{
    constexpr int kThreads = 4;
    constexpr int kLinesEach = 250;
    const QString padding(200, QLatin1Char('x'));
    std::vector<std::unique_ptr<QThread>> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back(QThread::create([this, t, &padding] {
            for (int i = 0; i < kLinesEach; ++i)
                m_writer.write(QtDebugMsg, kNoContext, QStringLiteral("thread %1 line %2 ").arg(t).arg(i) + padding);
        }));
        threads.back()->start();
    }
    for (auto& thread : threads)
        ASSERT_TRUE(thread->wait(60000));

    const QString content = QString::fromUtf8(logFile(QStringLiteral("20200728")));
    ASSERT_TRUE(content.endsWith(QStringLiteral("\r\n")));
    const QStringList lines = content.left(content.size() - 2).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), kThreads * kLinesEach);
    const QRegularExpression wholeLine(QStringLiteral("^\\[\\]:0_20200728 12:32:40\\.123_Debug : thread \\d line \\d+ x{200}$"));
    for (const QString& line : lines)
        ASSERT_TRUE(wholeLine.match(line).hasMatch()) << line.toStdString();
}

} // namespace
