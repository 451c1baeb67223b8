#pragma once

#include <QString>

// The text the port list shows for a serial port name: its first run of
// digits ("COM3" -> "3", "ttyUSB0" -> "0"), or "0" for a name without digits.
QString comPortItem(const QString& portName);
