#include "faketerminal.h"
#include "libraryfixture.h"
#include "socketclient.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <thread>
#include <vector>

namespace
{

constexpr int kCapacity = 6144;

// A connected pair: the library reads on one end, the test plays the terminal on the other.
class ZelkamisSocketClientTest : public LibraryFixture
{
protected:
    void SetUp() override
    {
        LibraryFixture::SetUp();
        int ends[2];
        ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, ends), 0);
        library = ends[0];
        terminal = ends[1];
        ::fcntl(library, F_SETFL, O_NONBLOCK);
    }
    void TearDown() override
    {
        ::close(library);
        if (terminal >= 0)
            ::close(terminal);
        LibraryFixture::TearDown();
    }
    void send(const std::string& bytes)
    {
        ASSERT_EQ(::write(terminal, bytes.data(), bytes.size()), ssize_t(bytes.size()));
    }
    std::string receive(int timeoutSeconds)
    {
        buffer.assign(kCapacity, 0);
        const int count = socketRecvFrame(library, buffer.data(), kCapacity, timeoutSeconds);
        return std::string(buffer.begin(), buffer.begin() + std::max(count, 0));
    }

    int library = -1;
    int terminal = -1;
    std::vector<unsigned char> buffer;
};

TEST_F(ZelkamisSocketClientTest, SkipsBytesBeforeTheStartAndStopsAtTheFrameEnd)
{
    const std::string frame = frameBytes("{\"code\":\"00\"}");
    send(std::string("\xFF\x00\x7B", 3) + frame + "NEXT");
    EXPECT_EQ(receive(2), frame);
    char rest[4];
    ASSERT_EQ(::read(library, rest, 4), 4);
    EXPECT_EQ(std::string(rest, 4), "NEXT") << "bytes after the frame must stay unread";
    EXPECT_NE(logs().find("contextLength=13(000D)"), std::string::npos);
    EXPECT_NE(logs().find("接收数据长度:18"), std::string::npos);
}

TEST_F(ZelkamisSocketClientTest, FrameArrivingInPiecesIsCollected)
{
    const std::string frame = frameBytes(std::string(300, 'p'));
    std::thread writer([&] {
        for (std::size_t offset = 0; offset < frame.size(); offset += 50) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            ::write(terminal, frame.data() + offset, std::min<std::size_t>(50, frame.size() - offset));
        }
    });
    EXPECT_EQ(receive(5), frame);
    writer.join();
}

TEST_F(ZelkamisSocketClientTest, FullBufferKeepsTheCapacityAndDropsTheRest)
{
    const std::string exact = frameBytes(std::string(kCapacity - 5, 'x'));
    send(exact);
    EXPECT_EQ(receive(2), exact);

    const std::string oneMore = frameBytes(std::string(kCapacity - 4, 'y'));
    send(oneMore + "Z");
    EXPECT_EQ(receive(2), oneMore.substr(0, kCapacity));
    char rest = 0;
    EXPECT_EQ(::read(library, &rest, 1), 1);
    EXPECT_EQ(rest, 'Z') << "the dropped byte was read, nothing beyond it";
}

TEST_F(ZelkamisSocketClientTest, SilenceAndHangUpGiveWhatArrived)
{
    EXPECT_EQ(receive(1), "");

    const std::string frame = frameBytes("{\"code\":\"00\",\"msg\":\"half\"}");
    send(frame.substr(0, 10));
    ::close(terminal);
    terminal = -1;
    EXPECT_EQ(receive(30), frame.substr(0, 10)); // returns on hang-up, long before 30 s
}

TEST_F(ZelkamisSocketClientTest, OpenRefusesNamesAndReportsRefusedConnections)
{
    EXPECT_EQ(socketOpen("localhost", 80, 1), kNoSocket);
    EXPECT_EQ(socketOpen("255.255.255.255", 80, 1), kNoSocket);
    EXPECT_NE(logs().find("解析IP地址(localhost)合法性失败"), std::string::npos);
    EXPECT_NE(logs().find("解析IP地址(255.255.255.255)合法性失败"), std::string::npos);

    int port = 0;
    {
        FakeTerminal closed({ hangUp() });
        port = closed.port();
    }
    EXPECT_EQ(socketOpen("127.0.0.1", port, 2), kNoSocket);
    EXPECT_NE(logs().find("连接主机(127.0.0.1:" + std::to_string(port) + ")失败, ret=-1,sock_errno=111"),
        std::string::npos)
        << logs();
}

TEST_F(ZelkamisSocketClientTest, OpenSendCloseAgainstATerminal)
{
    FakeTerminal fake({ staySilent() });
    const int socket = socketOpen("127.0.0.1", fake.port(), 2);
    ASSERT_NE(socket, kNoSocket);
    const std::string frame = frameBytes("{99}");
    EXPECT_EQ(socketSend(socket, reinterpret_cast<const unsigned char*>(frame.data()), int(frame.size())), 9);
    clearLogs();
    EXPECT_EQ(socketClose(kNoSocket), 0);
    EXPECT_EQ(logs(), "") << "closing no socket logs nothing";
    EXPECT_EQ(socketClose(socket), 0);
    EXPECT_NE(logs().find("断开主机成功"), std::string::npos);
}

} // namespace
