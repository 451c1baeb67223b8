#pragma once

// One TCP exchange with the terminal: socketOpen, socketSend, socketRecvFrame, socketClose.
// The Bluetooth link uses the last three on its own socket.

constexpr int kNoSocket = -1;

// Connects to a dotted IPv4 address within timeoutSeconds; the socket, or kNoSocket.
int socketOpen(const char* host, int port, int timeoutSeconds);

// Sends the whole frame; count on success, 0 or less on failure.
int socketSend(int socket, const unsigned char* data, int count);

// Receives one frame, keeping at most capacity bytes, until the frame is complete,
// the peer closes, or timeoutSeconds pass. Returns the bytes stored.
int socketRecvFrame(int socket, unsigned char* buffer, int capacity, int timeoutSeconds);

// Resets and closes the connection; nothing for kNoSocket. Always 0.
int socketClose(int socket);
