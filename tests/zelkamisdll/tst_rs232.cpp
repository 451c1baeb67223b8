#include "faketerminal.h"
#include "libraryfixture.h"
#include "ptypair.h"
#include "rs232.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <regex>
#include <thread>
#include <vector>

namespace
{

constexpr int kCapacity = 6144;
constexpr std::size_t kGuardBytes = 16;

// The library's serial port on the slave of a private pty pair; the test is the terminal.
class ZelkamisRs232Test : public LibraryFixture
{
protected:
    void TearDown() override
    {
        serialClose();
        LibraryFixture::TearDown();
    }
    void openPort() { ASSERT_TRUE(serialOpen(1, pty.device())); }
    // Reads one frame into a buffer of capacity bytes followed by guard bytes.
    std::string readFrame(int timeoutSeconds, int capacity = kCapacity)
    {
        buffer.assign(static_cast<std::size_t>(capacity) + kGuardBytes, '#');
        const int count = serialReadFrame(buffer.data(), capacity, timeoutSeconds);
        return std::string(buffer.begin(), buffer.begin() + count);
    }
    bool guardIntact() const
    {
        return std::all_of(
            buffer.end() - kGuardBytes, buffer.end(), [](unsigned char c) { return c == '#'; });
    }
    // A terminal that stops after the length bytes, silent or gone, is given up on once
    // the 1 s time-out has passed, at the latest when the pending body read ends 5 s later.
    void expectGivenUp();

    PtyPair pty;
    std::vector<unsigned char> buffer;
};

struct ChunkRead {
    int length, offset, contextLength;
};

std::vector<ChunkRead> chunkReads(const std::string& log)
{
    static const std::regex line("read data length = (-?\\d+), offset=(\\d+), contextLength=(\\d+)");
    std::vector<ChunkRead> reads;
    for (std::sregex_iterator it(log.begin(), log.end(), line), end; it != end; ++it)
        reads.push_back({ std::stoi((*it)[1]), std::stoi((*it)[2]), std::stoi((*it)[3]) });
    return reads;
}

void ZelkamisRs232Test::expectGivenUp()
{
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(readFrame(1), "");
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::seconds(1));
    EXPECT_LT(waited, std::chrono::seconds(9));
    EXPECT_TRUE(logged("read data timeout!")) << logs();
    EXPECT_EQ(chunkReads(logs()).size(), 1u) << "the line is not read in a loop";
}

TEST_F(ZelkamisRs232Test, FrameInThreePiecesIsAssembledWithRunningOffsets)
{
    openPort();
    const std::string frame = frameBytes(std::string(300, 'p'));
    std::thread terminal([&] {
        pty.send(frame.substr(0, 100));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        pty.send(frame.substr(100, 100));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        pty.send(frame.substr(200));
    });
    EXPECT_EQ(readFrame(2), frame);
    terminal.join();

    EXPECT_TRUE(logged("] 012C\n")) << "the two length bytes are logged as four hex digits\n" << logs();
    EXPECT_TRUE(logged("context length = 302"));
    const std::vector<ChunkRead> reads = chunkReads(logs());
    ASSERT_FALSE(reads.empty());
    int offset = 0;
    for (const ChunkRead& read : reads) {
        offset += read.length;
        EXPECT_EQ(read.offset, offset);
        EXPECT_EQ(read.contextLength, 302);
    }
    EXPECT_EQ(offset, 302);
}

TEST_F(ZelkamisRs232Test, BrokenStartsAreRefused)
{
    const struct {
        const char* name;
        std::string bytes;
        const char* logged;
    } cases[] = {
        { "stray byte before STX", "\x7B" + frameBytes("{00}"), "接收0x02失败！" },
        { "nothing at all", "", "接收0x02失败！" },
        { "one length byte", std::string("\x02\x00", 2), "接收bcd length失败！" },
        { "longer than the buffer", std::string("\x02\x17\xFC", 3) + std::string(100, 'x'),
            "frame too long for the receive buffer(6144)" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        clearLogs();
        openPort();
        pty.send(c.bytes);
        EXPECT_EQ(readFrame(1), "");
        EXPECT_TRUE(logged(c.logged)) << logs();
        EXPECT_TRUE(guardIntact());
        serialClose();
    }
}

TEST_F(ZelkamisRs232Test, FrameThatFillsTheBufferStopsAtItsEnd)
{
    openPort();
    const std::string frame = frameBytes(std::string(kCapacity - 5, 'x'));
    pty.send(frame);
    EXPECT_EQ(readFrame(2), frame);
    EXPECT_TRUE(guardIntact()) << "nothing is stored after the frame";
}

TEST_F(ZelkamisRs232Test, SilentTerminalAfterTheLengthIsGivenUp)
{
    openPort();
    pty.send(std::string("\x02\x00\x10", 3) + "{\"ab");
    expectGivenUp();
}

TEST_F(ZelkamisRs232Test, TerminalGoneAfterTheLengthIsGivenUp)
{
    openPort();
    pty.send(std::string("\x02\x00\x10", 3));
    // Hanging up discards what the line still holds, so the header is read first.
    std::thread terminal([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        pty.hangUp();
    });
    expectGivenUp();
    terminal.join();
}

TEST_F(ZelkamisRs232Test, LineRunsAt9600EightNoneOneWhateverWasSetBefore)
{
    termios before {};
    ASSERT_EQ(::tcgetattr(pty.slave(), &before), 0);
    ::cfsetispeed(&before, B115200);
    ::cfsetospeed(&before, B115200);
    before.c_cflag = (before.c_cflag & ~CSIZE) | CS7 | PARENB | CSTOPB;
    before.c_lflag |= ICANON | ECHO;
    before.c_iflag |= IXON | INPCK;
    ASSERT_EQ(::tcsetattr(pty.slave(), TCSANOW, &before), 0);
    pty.send("left over from before");

    openPort();
    termios line {};
    ASSERT_EQ(::tcgetattr(pty.slave(), &line), 0);
    EXPECT_EQ(::cfgetospeed(&line), speed_t(B9600));
    EXPECT_EQ(::cfgetispeed(&line), speed_t(B9600));
    EXPECT_EQ(line.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_EQ(line.c_cflag & (PARENB | CSTOPB), 0u);
    EXPECT_EQ(line.c_lflag & (ICANON | ECHO), 0u);
    EXPECT_EQ(line.c_iflag & (IXON | INPCK), 0u);

    const std::string frame = frameBytes("{00}");
    pty.send(frame);
    EXPECT_EQ(readFrame(1), frame) << "what was waiting before the open is discarded";
}

TEST_F(ZelkamisRs232Test, WriteSendsTheFrameAndNeedsAnOpenPort)
{
    const std::string frame = frameBytes("{99}");
    const auto* bytes = reinterpret_cast<const unsigned char*>(frame.data());
    EXPECT_EQ(serialWrite(bytes, int(frame.size())), 0);
    EXPECT_TRUE(logged("串口不可用"));
    unsigned char one = 0;
    EXPECT_EQ(serialRead(&one, 1, 1), 0);
    EXPECT_EQ(readFrame(1), "");

    openPort();
    EXPECT_TRUE(serialOpen(1, pty.device()));
    EXPECT_TRUE(logged("打开串口" + pty.device() + "成功"));
    EXPECT_TRUE(logged("串口已经打开"));
    EXPECT_EQ(serialWrite(bytes, int(frame.size())), 9);
    EXPECT_TRUE(logged("发送数据长度:9"));
    EXPECT_TRUE(logged("0200047B39397D0342"));
    EXPECT_TRUE(logged("发送数据成功，发送数据长度:9"));
    EXPECT_EQ(pty.receive(frame.size(), 1000), frame);
    serialClose();
    EXPECT_TRUE(logged("关闭串口成功"));
}

TEST_F(ZelkamisRs232Test, PortInUseIsNotOpened)
{
    const int other = ::open(pty.device().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(other, 0);
    ASSERT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
    EXPECT_FALSE(serialOpen(1, pty.device()));
    EXPECT_TRUE(logged("打开串口" + pty.device() + "失败: in use")) << logs();
    ::close(other);
    EXPECT_TRUE(serialOpen(1, pty.device()));
}

} // namespace
