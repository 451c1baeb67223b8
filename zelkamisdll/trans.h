#pragma once

#include <json/json.h>

#include <cstddef>

// Work buffers of one transaction.
constexpr std::size_t kFrameCapacity = 4096;
constexpr std::size_t kReceiveCapacity = 6144;
// "mode" is examined in a buffer of this size; longer texts are refused.
constexpr std::size_t kModeCapacity = 126;

namespace trans
{

// Checks the communication parameters and stores them as the settings file. 0 or -2.
int initialization(const char* json);

// One transaction with the terminal: handshake, request, answer. See the public header.
int doTransaction(const char* request, char* result);

// Opens the link named by the settings' "mode", sends frameLength bytes, receives one
// frame (receivedCount: in the capacity, out the bytes stored) and closes the link.
// 0, -3 (not opened), -4 (not sent) or -5 (nothing received).
int exchangeMisData(const Json::Value& settings, const unsigned char* frame, int frameLength,
    unsigned char* receiveBuffer, int* receivedCount, int timeoutSeconds);

} // namespace trans
