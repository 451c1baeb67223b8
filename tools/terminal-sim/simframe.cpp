#include "simframe.h"

#include <algorithm>

namespace
{
constexpr unsigned char kStx = 0x02;
constexpr unsigned char kEtx = 0x03;
constexpr std::size_t kHeaderBytes = 3;
constexpr std::size_t kTrailerBytes = 2;
constexpr std::size_t kReadChunkBytes = 4096;
} // namespace

unsigned char frameCheckByte(const std::string& payload)
{
    if (payload.empty())
        return 0;
    unsigned char check = 0x44;
    for (const char c : payload)
        check ^= static_cast<unsigned char>(c);
    return check;
}

std::string frameOf(const std::string& payload)
{
    std::string frame;
    frame += static_cast<char>(kStx);
    frame += static_cast<char>((payload.size() >> 8) & 0xFF);
    frame += static_cast<char>(payload.size() & 0xFF);
    frame += payload;
    frame += static_cast<char>(kEtx);
    frame += static_cast<char>(frameCheckByte(payload));
    return frame;
}

bool SimFrameReader::fill(std::size_t count)
{
    while (pending_.size() < count) {
        unsigned char chunk[kReadChunkBytes];
        const ssize_t got = channel_.read(chunk, sizeof chunk);
        if (got <= 0)
            return false;
        pending_.insert(pending_.end(), chunk, chunk + got);
    }
    return true;
}

std::optional<SimFrameReader::Frame> SimFrameReader::next()
{
    for (;;) {
        const auto stx = std::find(pending_.begin(), pending_.end(), kStx);
        pending_.erase(pending_.begin(), stx);
        if (!pending_.empty())
            break;
        if (!fill(1))
            return std::nullopt;
    }
    if (!fill(kHeaderBytes))
        return std::nullopt;
    const std::size_t length = pending_[1] * 256u + pending_[2];
    const std::size_t total = kHeaderBytes + length + kTrailerBytes;
    if (!fill(total))
        return std::nullopt;

    Frame frame;
    frame.payload.assign(pending_.begin() + kHeaderBytes, pending_.begin() + kHeaderBytes + length);
    frame.valid
        = pending_[kHeaderBytes + length] == kEtx && pending_[total - 1] == frameCheckByte(frame.payload);
    pending_.erase(pending_.begin(), pending_.begin() + total);
    return frame;
}
