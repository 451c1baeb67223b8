#include "serversettings.h"

#include "resolveconfigpath.h"
#include "syncsettingsfile.h"

#include <QFile>
#include <QSettings>

namespace {
const char kGroup[] = "HTTP_INFO";
const char kStartWithOSKey[] = "StartWithOS";
const char kPortKey[] = "Port";
}

ServerSettings::ServerSettings()
{
    load(QStringLiteral("./server.ini"));
}

bool ServerSettings::load(const QString& name)
{
    m_filePath = resolveConfigPath(name);
    if (m_filePath.isEmpty() || !QFile::exists(m_filePath))
        return false;

    m_loaded = true;
    QSettings settings(m_filePath, QSettings::IniFormat);
    settings.beginGroup(kGroup);
    m_startWithOS = settings.value(kStartWithOSKey, true).toBool();
    m_port = static_cast<quint16>(settings.value(kPortKey, 8888).toInt());
    m_timeOut = settings.value("TimeOut", 180).toInt();
    settings.endGroup();
    return true;
}

void ServerSettings::save() const
{
    QSettings settings(m_filePath, QSettings::IniFormat);
    settings.beginGroup(kGroup);
    settings.setValue(kPortKey, int(m_port));
    settings.setValue(kStartWithOSKey, m_startWithOS);
    settings.endGroup();
    syncSettingsFile(settings);
}

QHostAddress ServerSettings::hostAddress() const
{
    return QHostAddress(QHostAddress::LocalHost);
}

quint16 ServerSettings::port() const
{
    return m_port;
}

void ServerSettings::setPort(quint16 port)
{
    m_port = port;
}

bool ServerSettings::startWithOS() const
{
    return m_startWithOS;
}

void ServerSettings::setStartWithOS(bool on)
{
    m_startWithOS = on;
}

int ServerSettings::timeOut() const
{
    return m_timeOut;
}

bool ServerSettings::isLoaded() const
{
    return m_loaded;
}
