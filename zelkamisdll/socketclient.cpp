#include "socketclient.h"

#include "dlllog.h"
#include "misframe.h"
#include "socketwait.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace
{

constexpr char kLogUnit[] = "socketclient";
constexpr int kSendTimeoutSeconds = 3;
constexpr int kHighestPort = 65535;
constexpr std::size_t kRecvChunkCapacity = 512;

void logConnectFailure(const char* host, int port, int result, int error)
{
    ZLOG("连接主机(%s:%d)失败, ret=%d,sock_errno=%d", host, port, result, error);
}

// Waits for a non-blocking connect to finish; true when the connection stands.
bool finishConnect(int socket, const char* host, int port, int timeoutSeconds)
{
    switch (waitForSocket(socket, POLLOUT, Deadline::afterSeconds(timeoutSeconds))) {
    case SocketWait::TimedOut:
        ZLOG_TEXT("connect timeout");
        return false;
    case SocketWait::Failed:
        ZLOG("connect failed with error: %ld", static_cast<long>(errno));
        return false;
    case SocketWait::Ready:
        break;
    }
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) {
        logConnectFailure(host, port, -1, error);
        return false;
    }
    ZLOG_TEXT("connect success");
    return true;
}

// What socketRecvFrame shares with its worker: the worker writes buffer and length,
// the caller reads length only after the worker has ended.
struct RecvContext {
    int socket;
    unsigned char* buffer;
    int length; // in: the capacity; out: the bytes stored
};

// Reads one frame: skips bytes before STX, then the two length bytes, then the payload,
// ETX and check byte. Bytes beyond the capacity are read and dropped. Never reads past
// the end of the frame.
void readFrame(RecvContext* context, Deadline deadline)
{
    const int capacity = context->length;
    context->length = 0;
    std::size_t frameBytes = 0; // bytes of the frame seen, dropped ones included
    std::size_t frameSize = kFrameHeaderBytes; // known once the header is in
    unsigned char header[kFrameHeaderBytes];

    while (frameBytes < frameSize) {
        if (waitForSocket(context->socket, POLLIN, deadline) != SocketWait::Ready)
            return;
        unsigned char chunk[kRecvChunkCapacity];
        const std::size_t wanted = std::min(sizeof chunk, frameSize - frameBytes);
        const ssize_t got = ::recv(context->socket, chunk, wanted, 0);
        if (got == 0)
            return; // the terminal closed the connection
        if (got < 0) {
            if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)
                continue;
            return;
        }
        for (ssize_t i = 0; i < got; ++i) {
            const unsigned char byte = chunk[i];
            if (frameBytes == 0 && byte != kFrameStx)
                continue;
            if (frameBytes < kFrameHeaderBytes)
                header[frameBytes] = byte;
            if (context->length < capacity)
                context->buffer[context->length++] = byte;
            if (++frameBytes == kFrameHeaderBytes) {
                const std::size_t payloadLength = declaredPayloadLength(header);
                ZLOG("contextLength=%d(%02X%02X)", static_cast<int>(payloadLength), header[1], header[2]);
                frameSize = payloadLength + kFrameOverheadBytes;
            }
        }
    }
}

} // namespace

int socketOpen(const char* host, int port, int timeoutSeconds)
{
    const in_addr_t address = ::inet_addr(host);
    if (address == INADDR_NONE) {
        ZLOG("解析IP地址(%s)合法性失败", host);
        return kNoSocket;
    }
    if (port < 0 || port > kHighestPort) {
        logConnectFailure(host, port, -1, EINVAL);
        return kNoSocket;
    }
    const int socket = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (socket < 0) {
        logConnectFailure(host, port, -1, errno);
        return kNoSocket;
    }
    sockaddr_in peer {};
    peer.sin_family = AF_INET;
    peer.sin_addr.s_addr = address;
    peer.sin_port = htons(static_cast<uint16_t>(port));

    const int result = ::connect(socket, reinterpret_cast<const sockaddr*>(&peer), sizeof peer);
    if (result != 0 && errno != EINPROGRESS) {
        logConnectFailure(host, port, result, errno);
        ::close(socket);
        return kNoSocket;
    }
    if (result != 0 && !finishConnect(socket, host, port, timeoutSeconds)) {
        ::close(socket);
        return kNoSocket;
    }
    ZLOG("连接主机(%s:%d)成功", host, port);
    return socket;
}

int socketSend(int socket, const unsigned char* data, int count)
{
    ZLOG("发送数据长度:%d", count);
    ZLOG_TEXT(hexText(data, static_cast<std::size_t>(count)));

    const Deadline deadline = Deadline::afterSeconds(kSendTimeoutSeconds);
    int sent = 0;
    while (sent < count) {
        const ssize_t n = ::send(socket, data + sent, static_cast<std::size_t>(count - sent), MSG_NOSIGNAL);
        if (n > 0) {
            sent += static_cast<int>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            return -1;
        if (waitForSocket(socket, POLLOUT, deadline) != SocketWait::Ready)
            return -1;
    }
    return sent;
}

int socketRecvFrame(int socket, unsigned char* buffer, int capacity, int timeoutSeconds)
{
    RecvContext context { socket, buffer, capacity };
    std::thread worker(readFrame, &context, Deadline::afterSeconds(timeoutSeconds));
    worker.join();
    if (context.length < 1)
        return context.length;
    ZLOG("接收数据长度:%d", context.length);
    ZLOG_TEXT(hexText(buffer, static_cast<std::size_t>(context.length)));
    return context.length;
}

int socketClose(int socket)
{
    if (socket == kNoSocket)
        return 0;
    const linger resetOnClose { 1, 0 };
    ::setsockopt(socket, SOL_SOCKET, SO_LINGER, &resetOnClose, sizeof resetOnClose);
    ::close(socket);
    ZLOG_TEXT("断开主机成功");
    return 0;
}
