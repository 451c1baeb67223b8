#include "misframe.h"

#include "dlllog.h"

#include <cstring>

namespace
{
constexpr char kLogUnit[] = "trans";
constexpr unsigned char kLrcSeed = 0x44;
} // namespace

unsigned char calcLrc(const unsigned char* bytes, int count)
{
    if (bytes == nullptr || count <= 0)
        return 0x00;
    unsigned char lrc = 0;
    for (int i = 0; i < count; ++i)
        lrc ^= bytes[i];
    return lrc ^ kLrcSeed;
}

std::size_t declaredPayloadLength(const unsigned char* data)
{
    return static_cast<std::size_t>(data[1]) * 256 + data[2];
}

int packMisData(const char* text, unsigned char* frame)
{
    const std::size_t length = std::strlen(text);
    frame[0] = kFrameStx;
    frame[1] = static_cast<unsigned char>((length / 256) & 0xFF);
    frame[2] = static_cast<unsigned char>(length % 256);
    std::memcpy(frame + kFrameHeaderBytes, text, length);
    frame[kFrameHeaderBytes + length] = kFrameEtx;
    frame[kFrameHeaderBytes + length + 1]
        = calcLrc(reinterpret_cast<const unsigned char*>(text), static_cast<int>(length));
    return 0;
}

int parseMisData(const unsigned char* data, int count, char* text)
{
    if (count < 1 || data[0] != kFrameStx) {
        ZLOG_TEXT("parseMisData, STR(02) is invalid");
        return kFrameInvalid;
    }
    const int available = count - static_cast<int>(kFrameOverheadBytes);
    const int length
        = count < static_cast<int>(kFrameHeaderBytes) ? 0 : static_cast<int>(declaredPayloadLength(data));
    if (count < static_cast<int>(kFrameHeaderBytes) || length > available) {
        ZLOG("parseMisData, context length(%d) > recvLength(%d) is invalid", length, available);
        return kFrameInvalid;
    }
    const unsigned char* payload = data + kFrameHeaderBytes;
    if (payload[length] != kFrameEtx) {
        ZLOG_TEXT("parseMisData, ETX(03) is invalid");
        return kFrameInvalid;
    }
    const unsigned char expected = calcLrc(payload, length);
    if (payload[length + 1] != expected) {
        ZLOG("parseMisData, lrc(%02X) != lrc(%02X), is invalid", payload[length + 1], expected);
        return kFrameInvalid;
    }
    std::memcpy(text, payload, static_cast<std::size_t>(length));
    text[length] = '\0';
    return 0;
}

char* toHexText(const unsigned char* bytes, int count, char* out)
{
    static const char kDigits[] = "0123456789ABCDEF";
    for (int i = 0; i < count; ++i) {
        out[2 * i] = kDigits[bytes[i] >> 4];
        out[2 * i + 1] = kDigits[bytes[i] & 0x0F];
    }
    return out;
}

std::string hexText(const void* bytes, std::size_t count)
{
    std::string text(2 * count, '\0');
    toHexText(static_cast<const unsigned char*>(bytes), static_cast<int>(count), text.data());
    return text;
}
