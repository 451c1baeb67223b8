#include "v2programfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace
{

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(content);
}

} // namespace

V2ProgramFolder::V2ProgramFolder()
    : m_dir(QDir::temp().filePath(QStringLiteral("tillvane-v2-XXXXXX")))
{
}

bool V2ProgramFolder::isValid() const
{
    return m_dir.isValid();
}

QString V2ProgramFolder::path() const
{
    return m_dir.path();
}

QString V2ProgramFolder::filePath(const QString& relativeName) const
{
    return QDir::cleanPath(m_dir.filePath(relativeName));
}

void V2ProgramFolder::writeCommunicationConfig(const QMap<QString, QString>& keys) const
{
    QByteArray content = "[POS_INFO]\n";
    for (auto key = keys.cbegin(); key != keys.cend(); ++key)
        content += key.key().toUtf8() + '=' + key.value().toUtf8() + '\n';
    writeFile(filePath(QStringLiteral("CommunicationConfig.ini")), content);
}

QString V2ProgramFolder::installLibrary(const QString& sourcePath, const QString& relativeName) const
{
    const QString target = filePath(relativeName);
    QDir().mkpath(QFileInfo(target).path());
    QFile::copy(sourcePath, target);
    return target;
}

void V2ProgramFolder::writeTerminalSettings(const QString& relativeDir, int port, int timeoutSeconds) const
{
    writeFile(filePath(relativeDir + QStringLiteral("/zelkamissetting.json")),
        QStringLiteral(R"({"mode":"ETH","hostip":"127.0.0.1","port":%1,"timeout":%2})")
            .arg(port)
            .arg(timeoutSeconds)
            .toUtf8());
}
