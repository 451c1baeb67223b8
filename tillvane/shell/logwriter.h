#pragma once

#include <QDateTime>
#include <QMutex>
#include <QString>
#include <QtGlobal>

#include <functional>

// Appends messages to one log file per day, "log_yyyyMMdd.log" in the log
// directory, one line per message:
//   [file]:line_yyyyMMdd hh:mm:ss.zzz_<level text><message>
// Each message opens, appends to and closes the file; a lock keeps lines of
// different threads apart. Text is written as UTF-8 with CR LF line ends.
class LogWriter
{
public:
    using Switch = std::function<bool()>;
    using DirectoryLocator = std::function<QString()>;
    using Clock = std::function<QDateTime()>;

    // isOn: whether anything is written at all.
    // logDirectory: where the files go; an empty path sends lines to stderr.
    LogWriter(Switch isOn, DirectoryLocator logDirectory, Clock clock);

    // A message raised on the same thread while a line is being written (by
    // Qt itself, say) goes to stderr instead of waiting for the lock again.
    void write(QtMsgType type, const QMessageLogContext& context, const QString& message);

private:
    void appendLine(const QString& directory, const QDate& day, const QString& line);

    const Switch m_isOn;
    const DirectoryLocator m_logDirectory;
    const Clock m_clock;
    QMutex m_mutex;
};
