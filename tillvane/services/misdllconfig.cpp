#include "misdllconfig.h"

#include "resolveconfigpath.h"
#include "syncsettingsfile.h"

#include <QDebug>
#include <QFile>
#include <QSettings>

namespace
{
const char kGroup[] = "POS_INFO";
const char kCommuModeKey[] = "CommunityType";
const char kTimeoutKey[] = "TransTimeout";
const char kHostPortKey[] = "Port";
const char kComPortKey[] = "ComNo";
const char kBaudKey[] = "BaudRate";
const char kHostIpKey[] = "Ip";
const char kUseDllV2Key[] = "Use_dll_v2";
const char kDllFileKey[] = "DllName";
const char kBtMacKey[] = "btMac";
const char kDllFile2Key[] = "DllNameV2";
}

MisDllConfig::MisDllConfig()
    : MisDllConfig(QStringLiteral("./CommunicationConfig.ini"))
{
}

MisDllConfig::MisDllConfig(const QString& file)
    : m_filePath(file)
{
    load(file);
}

MisDllConfig MisDllConfig::fromPath(const QString& path)
{
    MisDllConfig config { Unloaded {} };
    config.loadFrom(path);
    return config;
}

bool MisDllConfig::load(const QString& file)
{
    return loadFrom(resolveConfigPath(file));
}

bool MisDllConfig::reload()
{
    // The stored path is already resolved; resolving it again would put the
    // program's directory in front of an absolute path.
    return loadFrom(m_filePath);
}

bool MisDllConfig::loadFrom(const QString& path)
{
    qDebug() << "MisDllConfig file path:" << path;
    m_filePath = path;
    if (path.isEmpty() || !QFile::exists(path))
        return false;

    m_loaded = true;
    QSettings settings(path, QSettings::IniFormat);
    settings.beginGroup(kGroup);
    m_commuMode = settings.value(kCommuModeKey, 1).toInt();
    m_timout = settings.value(kTimeoutKey, 180).toInt();
    m_hostPort = settings.value(kHostPortKey, 20499).toInt();
    m_comPort = settings.value(kComPortKey, 1).toInt();
    m_comBaud = settings.value(kBaudKey, 9600).toInt();
    m_hostIP = settings.value(kHostIpKey, QString()).toString();
    m_useDllV2 = settings.value(kUseDllV2Key, true).toBool();
    m_dllFile = settings.value(kDllFileKey, QStringLiteral("./libkovramis.so")).toString();
    m_btMac = settings.value(kBtMacKey, QString()).toString();
    m_dllFile2 = settings.value(kDllFile2Key, QStringLiteral("./libzelkamisdll.so")).toString();
    qDebug() << "m_dllFile2=" << m_dllFile2;
    settings.endGroup();
    return true;
}

void MisDllConfig::save() const
{
    QSettings settings(m_filePath, QSettings::IniFormat);
    settings.beginGroup(kGroup);
    settings.setValue(kCommuModeKey, m_commuMode);
    settings.setValue(kTimeoutKey, m_timout);
    settings.setValue(kHostIpKey, m_hostIP);
    settings.setValue(kHostPortKey, m_hostPort);
    settings.setValue(kComPortKey, m_comPort);
    settings.setValue(kBaudKey, m_comBaud);
    settings.setValue(kBtMacKey, m_btMac);
    settings.setValue(kDllFileKey, m_dllFile);
    settings.setValue(kDllFile2Key, m_dllFile2);
    settings.setValue(kUseDllV2Key, m_useDllV2);
    settings.endGroup();
    syncSettingsFile(settings);
}

QString MisDllConfig::toString() const
{
    // One pass over the pattern: an address holding "%5" stays as typed.
    return QStringLiteral("m_commuMode:%1,m_timout:%2,m_hostPort:%3,m_hostIP:%4,m_comPort:%5,m_comBaud:%6")
        .arg(QString::number(m_commuMode), QString::number(m_timout), QString::number(m_hostPort), m_hostIP,
            QString::number(m_comPort), QString::number(m_comBaud));
}
