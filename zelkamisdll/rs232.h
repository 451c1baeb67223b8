#pragma once

#include <string>

// Serial link to the terminal (9600 8N1), one exchange at a time:
// serialOpen, serialWrite, serialReadFrame, serialClose. One port is open at a time,
// library-wide; calls must not overlap.

constexpr int kSerialBaudRate = 9600;

// Opens the device named by deviceSetting, or when that is empty the device that
// stands for COM<port>. True when a port is open afterwards (also when one already was).
bool serialOpen(int port, const std::string& deviceSetting);

// Writes the whole frame within 5 seconds; the bytes written, 0 without an open port.
int serialWrite(const unsigned char* data, int count);

// One read of count bytes that waits for all of them or timeoutSeconds; the bytes read
// (0 on time-out, without an open port, for a count of 0 or less or a null buffer).
int serialRead(unsigned char* buffer, int count, int timeoutSeconds);

// Reads one frame into buffer within timeoutSeconds (each read of the frame's body may
// take 5 seconds more). The frame's length, or 0; a frame longer than capacity is refused.
int serialReadFrame(unsigned char* buffer, int capacity, int timeoutSeconds);

void serialClose();
