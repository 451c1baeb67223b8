#pragma once

#include "simchannel.h"

#include <optional>
#include <string>
#include <vector>

// The terminal's frame: 0x02, length high, length low, payload, 0x03, check byte
// (0x44 XOR the payload bytes; 0 for an empty payload).
std::string frameOf(const std::string& payload);
unsigned char frameCheckByte(const std::string& payload);

// Reads frames off a channel. Bytes before 0x02 are skipped.
class SimFrameReader
{
public:
    explicit SimFrameReader(SimChannel& channel)
        : channel_(channel)
    {
    }

    struct Frame {
        std::string payload;
        bool valid = true; // ETX and check byte as expected
    };
    // The next frame, or nothing once the client has gone.
    std::optional<Frame> next();

private:
    bool fill(std::size_t count);
    SimChannel& channel_;
    std::vector<unsigned char> pending_;
};
