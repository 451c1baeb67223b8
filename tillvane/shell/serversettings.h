#pragma once

#include <QHostAddress>
#include <QString>

// The service settings in section "HTTP_INFO" of server.ini beside the
// program: the listening port and whether to start with the system.
class ServerSettings
{
public:
    // Starts from the defaults, then loads "./server.ini".
    ServerSettings();

    // Reads the file named by name (placed beside the program); false when
    // there is no such file, in which case every value stays as it was.
    // A later save() writes to this file either way.
    bool load(const QString& name);

    // Writes "Port" and "StartWithOS"; other keys of the file stay as they are.
    void save() const;

    // Always the loopback address: the file's "HostIp" is not used.
    QHostAddress hostAddress() const;

    quint16 port() const;
    void setPort(quint16 port);

    bool startWithOS() const;
    void setStartWithOS(bool on);

    int timeOut() const;

    // Whether a load found its file.
    bool isLoaded() const;

private:
    quint16 m_port = 8888;
    bool m_startWithOS = true;
    int m_timeOut = 180;
    bool m_loaded = false;
    QString m_filePath;
};
