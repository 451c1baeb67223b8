#include <QtGlobal>

#ifdef Q_OS_WIN

#include "autostart.h"

#include <QCoreApplication>
#include <QSettings>

void setAutoStart(bool on)
{
    QSettings run(QStringLiteral("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"),
                  QSettings::NativeFormat);
    const QString name = QCoreApplication::applicationName();
    if (on)
        run.setValue(name, QCoreApplication::applicationFilePath().replace(QLatin1Char('/'), QLatin1Char('\\')));
    else
        run.remove(name);
}

#endif
