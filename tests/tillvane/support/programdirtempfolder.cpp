#include "programdirtempfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

ProgramDirTempFolder::ProgramDirTempFolder()
    : m_dir(QCoreApplication::applicationDirPath() + QStringLiteral("/settings-test-XXXXXX"))
{
}

bool ProgramDirTempFolder::isValid() const
{
    return m_dir.isValid();
}

QString ProgramDirTempFolder::relativeName(const QString& fileName) const
{
    return QStringLiteral("./") + QDir(m_dir.path()).dirName() + QLatin1Char('/') + fileName;
}

QString ProgramDirTempFolder::absolutePath(const QString& fileName) const
{
    return m_dir.filePath(fileName);
}

void ProgramDirTempFolder::writeFile(const QString& fileName, const QByteArray& content) const
{
    QFile file(absolutePath(fileName));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(content);
}

QByteArray ProgramDirTempFolder::readFile(const QString& fileName) const
{
    QFile file(absolutePath(fileName));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
