#pragma once

#include <cstddef>
#include <string>

// Terminal frame: STX, payload length (two bytes, high first), payload, ETX, check byte.
constexpr unsigned char kFrameStx = 0x02;
constexpr unsigned char kFrameEtx = 0x03;
constexpr std::size_t kFrameHeaderBytes = 3;
constexpr std::size_t kFrameOverheadBytes = 5;
constexpr int kFrameInvalid = -8;

// Builds the frame for text (up to its NUL) into frame, which needs strlen(text) + 5 bytes.
int packMisData(const char* text, unsigned char* frame);

// Checks the count received bytes in data as one frame. On success copies the payload
// and a NUL into text (which needs payload length + 1 bytes) and returns 0; otherwise
// logs the defect and returns kFrameInvalid, leaving text as it was.
int parseMisData(const unsigned char* data, int count, char* text);

// The payload length a frame header declares; data holds at least kFrameHeaderBytes.
std::size_t declaredPayloadLength(const unsigned char* data);

// 0x44 XOR every byte; 0 for no bytes.
unsigned char calcLrc(const unsigned char* bytes, int count);

// Writes two upper-case hex digits per byte into out (no NUL) and returns out.
char* toHexText(const unsigned char* bytes, int count, char* out);

// The hex text of count bytes.
std::string hexText(const void* bytes, std::size_t count);
