#pragma once

#include "deadline.h"

#include <string>

// The platform's serial line: a raw 9600 baud, 8 data bits, no parity, one stop bit
// line, opened for exclusive use. This is the Linux (termios) layer.

using SerialHandle = int;
constexpr SerialHandle kNoSerialHandle = -1;

// Opens the existing device at path, claims it for this process, sets the line up and
// discards whatever the driver holds. kNoSerialHandle on failure, with reason set.
SerialHandle openSerialLine(const std::string& path, std::string& reason);

// Writes count bytes until all are written or the deadline passes; the bytes written.
int writeSerialLine(SerialHandle line, const unsigned char* data, int count, const Deadline& deadline);

// Reads until count bytes have come or the deadline passes; the bytes read. A line that
// has hung up is treated like a silent one.
int readSerialLine(SerialHandle line, unsigned char* buffer, int count, const Deadline& deadline);

void closeSerialLine(SerialHandle line);
