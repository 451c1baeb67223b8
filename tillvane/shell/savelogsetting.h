#pragma once

#include <QString>

#include <atomic>

// The log switch: key "savelog" of section "SYS" in server.ini. Logging is on
// unless the file says otherwise. The file name is taken as given, relative to
// the working directory.
class SaveLogSetting
{
public:
    explicit SaveLogSetting(const QString& filePath = QStringLiteral("./server.ini"));

    // The switch the whole process logs by.
    static SaveLogSetting& instance();

    bool saveLog() const;

    // Turns logging on or off; the choice is kept in the file only when the
    // file already exists.
    void setsaveLogFlag(bool on);

private:
    // Read by the log handler on every thread.
    std::atomic<bool> m_saveLog{true};
    const QString m_filePath;
};
