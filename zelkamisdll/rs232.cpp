#include "rs232.h"

#include "deadline.h"
#include "dlllog.h"
#include "misframe.h"
#include "serialdevicechoice.h"
#include "serialline.h"

#include <cerrno>
#include <cstring>

namespace
{

constexpr char kLogUnit[] = "rs232";
constexpr int kWriteTimeoutSeconds = 5;
constexpr int kBodyReadTimeoutSeconds = 5;
constexpr int kFrameTrailerBytes = 2; // ETX and check byte
constexpr int kHexLoggedReadBytes = 2; // shorter reads are logged as hex, longer ones as text

// The port of the library; calls do not overlap, so it is not locked.
struct SerialPort {
    SerialHandle handle = kNoSerialHandle;
    bool open = false;
};

SerialPort& port()
{
    static SerialPort state;
    return state;
}

// True when there is a handle; otherwise logs and clears the open flag.
bool portUsable()
{
    if (port().handle != kNoSerialHandle)
        return true;
    ZLOG_TEXT("串口不可用");
    port().open = false;
    return false;
}

void logOpenFailure(const std::string& device, const std::string& reason)
{
    ZLOG("打开串口%s失败: %s", device.c_str(), reason.c_str());
}

} // namespace

bool serialOpen(int portNumber, const std::string& deviceSetting)
{
    if (port().open) {
        ZLOG_TEXT("串口已经打开");
        return true;
    }
    const std::vector<std::string> candidates = serialDeviceCandidates(deviceSetting, portNumber);
    const std::optional<std::string> device = firstExistingDevice(candidates);
    if (!device) {
        const std::string tried
            = candidates.empty() ? "COM" + std::to_string(portNumber) : joinedDevices(candidates);
        logOpenFailure(tried, std::strerror(ENOENT));
        return false;
    }
    std::string reason;
    port().handle = openSerialLine(*device, reason);
    if (port().handle == kNoSerialHandle) {
        logOpenFailure(*device, reason);
        return false;
    }
    port().open = true;
    ZLOG("打开串口%s成功", device->c_str());
    return true;
}

int serialWrite(const unsigned char* data, int count)
{
    ZLOG("发送数据长度:%d", count);
    if (data == nullptr || count <= 0)
        return 0;
    ZLOG_TEXT(hexText(data, static_cast<std::size_t>(count)));
    if (!portUsable())
        return 0;
    const int written
        = writeSerialLine(port().handle, data, count, Deadline::afterSeconds(kWriteTimeoutSeconds));
    ZLOG("发送数据成功，发送数据长度:%d", written);
    return written;
}

int serialRead(unsigned char* buffer, int count, int timeoutSeconds)
{
    if (port().handle == kNoSerialHandle || count <= 0 || buffer == nullptr)
        return 0;
    const int got = readSerialLine(port().handle, buffer, count, Deadline::afterSeconds(timeoutSeconds));
    if (got <= 0)
        return 0;
    // Logged from a copy: the caller's buffer may end right after the bytes read.
    if (got <= kHexLoggedReadBytes)
        ZLOG_TEXT(hexText(buffer, static_cast<std::size_t>(got)));
    else
        ZLOG_TEXT(std::string(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(got)));
    return got;
}

int serialReadFrame(unsigned char* buffer, int capacity, int timeoutSeconds)
{
    if (!portUsable() || capacity < static_cast<int>(kFrameOverheadBytes))
        return 0;
    const Deadline overall = Deadline::afterSeconds(timeoutSeconds);
    if (serialRead(buffer, 1, timeoutSeconds) != 1 || buffer[0] != kFrameStx) {
        ZLOG_TEXT("接收0x02失败！");
        return 0;
    }
    if (serialRead(buffer + 1, 2, timeoutSeconds) != 2) {
        ZLOG_TEXT("接收bcd length失败！");
        return 0;
    }
    const int rest = static_cast<int>(declaredPayloadLength(buffer)) + kFrameTrailerBytes;
    ZLOG("context length = %d", rest);
    const int header = static_cast<int>(kFrameHeaderBytes);
    if (rest > capacity - header) {
        ZLOG("frame too long for the receive buffer(%d)", capacity);
        return 0;
    }
    int offset = 0;
    for (;;) {
        const int n = serialRead(buffer + header + offset, rest - offset, kBodyReadTimeoutSeconds);
        offset += n;
        ZLOG("read data length = %d, offset=%d, contextLength=%d", n, offset, rest);
        if (offset == rest)
            return offset + header;
        if (overall.remainingMilliseconds() == 0) {
            ZLOG_TEXT("read data timeout!");
            return 0;
        }
    }
}

void serialClose()
{
    if (port().handle != kNoSerialHandle)
        closeSerialLine(port().handle);
    port().handle = kNoSerialHandle;
    port().open = false;
    ZLOG_TEXT("关闭串口成功");
}
