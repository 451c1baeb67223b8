#include <QtGlobal>

#ifndef Q_OS_WIN

#include "autostart.h"
#include "desktopexecvalue.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QtDebug>

namespace {

QString autoStartEntryPath()
{
    const QString configHome = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return configHome + QStringLiteral("/autostart/") + QCoreApplication::applicationName()
        + QStringLiteral(".desktop");
}

QByteArray autoStartEntry()
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=%1\n"
                          "Exec=%2\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(QCoreApplication::applicationName(), desktopExecValue(QCoreApplication::applicationFilePath()))
        .toUtf8();
}

void writeAutoStartEntry(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(autoStartEntry());
        if (file.commit())
            return;
    }
    qWarning() << "autostart entry not written:" << path << file.errorString();
}

} // namespace

void setAutoStart(bool on)
{
    const QString path = autoStartEntryPath();
    if (on)
        writeAutoStartEntry(path);
    else
        QFile::remove(path);
}

#endif
