#include "logwriter.h"

#include <QDir>
#include <QFile>

#include <cstdio>

namespace
{

QString levelText(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg:
        return QStringLiteral("Debug : ");
    case QtWarningMsg:
        return QStringLiteral("Warning :");
    case QtCriticalMsg:
        return QStringLiteral("Critical : ");
    case QtFatalMsg:
        return QStringLiteral("Fatal ");
    default:
        return QString();
    }
}

QString formatLine(
    QtMsgType type, const QMessageLogContext& context, const QString& message, const QDateTime& time)
{
    const QString origin = QLatin1Char('[') + QString::fromUtf8(context.file ? context.file : "")
        + QStringLiteral("]:") + QString::number(context.line);
    // Plain concatenation: the message may hold "%1" and must go in unchanged.
    return origin + QLatin1Char('_') + time.toString(QStringLiteral("yyyyMMdd hh:mm:ss.zzz"))
        + QLatin1Char('_') + levelText(type) + message;
}

void writeToStandardError(const QString& line)
{
    std::fprintf(stderr, "%s\n", line.toUtf8().constData());
    std::fflush(stderr);
}

// Marks the thread as busy writing a line for as long as it lives.
class WritingOnThisThread
{
public:
    WritingOnThisThread() { s_writing = true; }
    ~WritingOnThisThread() { s_writing = false; }
    WritingOnThisThread(const WritingOnThisThread&) = delete;
    WritingOnThisThread& operator=(const WritingOnThisThread&) = delete;

    static bool active() { return s_writing; }

private:
    static thread_local bool s_writing;
};

thread_local bool WritingOnThisThread::s_writing = false;

} // namespace

LogWriter::LogWriter(Switch isOn, DirectoryLocator logDirectory, Clock clock)
    : m_isOn(std::move(isOn))
    , m_logDirectory(std::move(logDirectory))
    , m_clock(std::move(clock))
{
}

void LogWriter::write(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (WritingOnThisThread::active()) {
        writeToStandardError(message);
        return;
    }
    if (!m_isOn())
        return;

    const WritingOnThisThread writing;
    const QMutexLocker lock(&m_mutex);
    // One reading of the clock, so a line always lands in the file of its own date.
    const QDateTime now = m_clock();
    const QString line = formatLine(type, context, message, now);
    const QString directory = m_logDirectory();
    if (directory.isEmpty())
        writeToStandardError(line);
    else
        appendLine(directory, now.date(), line);
}

void LogWriter::appendLine(const QString& directory, const QDate& day, const QString& line)
{
    // Binary mode: the CR LF is written as it stands on every platform.
    QFile file(QStringLiteral("%1/log_%2.log").arg(directory, day.toString(QStringLiteral("yyyyMMdd"))));
    const QIODevice::OpenMode mode = QIODevice::WriteOnly | QIODevice::Append;
    // The folder is looked for only when the file cannot be opened: one
    // system call less for every line.
    if (!file.open(mode) && !(QDir().mkdir(directory) && file.open(mode)))
        return; // nowhere to report it: the line is lost
    file.write(line.toUtf8() + "\r\n");
    file.close();
}
