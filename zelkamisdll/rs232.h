#pragma once

// Serial link to the terminal (9600 8N1), one exchange at a time:
// serialOpen, serialWrite, serialReadFrame, serialClose.
// Not available on this platform yet: serialOpen always fails.

constexpr int kSerialBaudRate = 9600;

// Opens COM<port>; true when the port is open afterwards.
bool serialOpen(int port);

// Writes the whole frame; the bytes written, 0 without an open port.
int serialWrite(const unsigned char* data, int count);

// Reads one frame into buffer (at most capacity bytes) within timeoutSeconds;
// the frame's length, or 0.
int serialReadFrame(unsigned char* buffer, int capacity, int timeoutSeconds);

void serialClose();
