#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A private folder beside the test program, for settings files that the code
// under test names relative to the program's directory ("./<folder>/x.ini").
class ProgramDirTempFolder
{
public:
    ProgramDirTempFolder();

    bool isValid() const;
    // The name by which the code under test finds fileName in this folder.
    QString relativeName(const QString& fileName) const;
    QString absolutePath(const QString& fileName) const;

    void writeFile(const QString& fileName, const QByteArray& content) const;
    QByteArray readFile(const QString& fileName) const;

private:
    QTemporaryDir m_dir;
};
