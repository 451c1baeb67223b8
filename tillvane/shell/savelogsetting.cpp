#include "savelogsetting.h"

#include "syncsettingsfile.h"

#include <QDebug>
#include <QFile>
#include <QSettings>

namespace {
const char kSaveLogKey[] = "SYS/savelog";

bool fileExists(const QString& path)
{
    return !path.isEmpty() && QFile::exists(path);
}
}

SaveLogSetting::SaveLogSetting(const QString& filePath)
    : m_filePath(filePath)
{
    if (fileExists(m_filePath))
        m_saveLog = QSettings(m_filePath, QSettings::IniFormat).value(kSaveLogKey, true).toBool();
}

SaveLogSetting& SaveLogSetting::instance()
{
    static SaveLogSetting processSetting;
    return processSetting;
}

bool SaveLogSetting::saveLog() const
{
    return m_saveLog;
}

void SaveLogSetting::setsaveLogFlag(bool on)
{
    // The flag changes first, so these lines reach the log only when it is switched on.
    m_saveLog = on;
    qDebug() << "setsaveLogFlag:" << on;
    if (!fileExists(m_filePath))
        return;

    QSettings settings(m_filePath, QSettings::IniFormat);
    settings.setValue(kSaveLogKey, on);
    syncSettingsFile(settings);
    qDebug() << "setsaveLogFlag: over->" << on;
}
