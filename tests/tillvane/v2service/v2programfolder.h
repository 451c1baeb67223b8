#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QTemporaryDir>

// A private program folder for a V2 service under test: the place of
// CommunicationConfig.ini, the payment library and "logs/".
class V2ProgramFolder
{
public:
    V2ProgramFolder();

    bool isValid() const;
    QString path() const;
    QString filePath(const QString& relativeName) const;

    // Writes section "POS_INFO" of CommunicationConfig.ini with these keys.
    void writeCommunicationConfig(const QMap<QString, QString>& keys) const;
    // Copies a library file to relativeName (folders created); its full path.
    QString installLibrary(const QString& sourcePath, const QString& relativeName) const;
    // The terminal library's settings file beside the library at relativeDir,
    // pointing at a terminal on 127.0.0.1:port.
    void writeTerminalSettings(const QString& relativeDir, int port, int timeoutSeconds) const;

private:
    QTemporaryDir m_dir;
};
