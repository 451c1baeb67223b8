#include "dialogenvironment.h"

#include <QSerialPortInfo>
#include <QSystemTrayIcon>

QStringList DialogEnvironment::availableSerialPortNames()
{
    QStringList names;
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& port : ports)
        names << port.portName();
    return names;
}

bool DialogEnvironment::isSystemTrayAvailable()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}
