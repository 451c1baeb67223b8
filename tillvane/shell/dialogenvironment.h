#pragma once

#include <QStringList>

#include <functional>

// What the settings window asks of the machine it runs on: the serial ports
// present now, and whether the desktop has a system tray to hide in.
struct DialogEnvironment {
    std::function<QStringList()> serialPortNames = availableSerialPortNames;
    std::function<bool()> systemTrayAvailable = isSystemTrayAvailable;

    static QStringList availableSerialPortNames();
    static bool isSystemTrayAvailable();
};
