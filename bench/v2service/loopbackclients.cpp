#include "loopbackclients.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <string>

namespace
{

// A connected socket, closed when it goes.
class LoopbackSocket
{
public:
    explicit LoopbackSocket(int port)
        : fd_(::socket(AF_INET, SOCK_STREAM, 0))
    {
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        connected_
            = fd_ >= 0 && ::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    }
    ~LoopbackSocket()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    LoopbackSocket(const LoopbackSocket&) = delete;
    LoopbackSocket& operator=(const LoopbackSocket&) = delete;

    bool send(const std::string& bytes)
    {
        return connected_ && ::send(fd_, bytes.data(), bytes.size(), 0) == static_cast<ssize_t>(bytes.size());
    }

    // Reads up to count bytes (all of them unless the peer closes first) onto into.
    bool read(std::size_t count, std::string& into)
    {
        char buffer[8192];
        while (count > 0) {
            const ssize_t got = ::recv(fd_, buffer, std::min(count, sizeof buffer), 0);
            if (got <= 0)
                return false;
            into.append(buffer, static_cast<std::size_t>(got));
            count -= static_cast<std::size_t>(got);
        }
        return true;
    }

private:
    int fd_;
    bool connected_ = false;
};

std::string frameOf(const std::string& payload)
{
    unsigned char check = 0x44;
    for (const unsigned char byte : payload)
        check ^= byte;
    std::string frame { '\x02', static_cast<char>(payload.size() >> 8),
        static_cast<char>(payload.size() & 0xff) };
    frame += payload;
    frame += '\x03';
    frame += static_cast<char>(check);
    return frame;
}

bool exchangeFrame(int port, const std::string& payload)
{
    LoopbackSocket socket(port);
    std::string answer;
    if (!socket.send(frameOf(payload)) || !socket.read(3, answer))
        return false;
    const std::size_t length
        = (static_cast<unsigned char>(answer[1]) << 8) | static_cast<unsigned char>(answer[2]);
    return socket.read(length + 2, answer);
}

} // namespace

bool exchangeWithTerminal(int port, const std::string& request)
{
    return exchangeFrame(port, "{99}") && exchangeFrame(port, request);
}

std::string postOverHttp(int port, const std::string& path, const std::string& body)
{
    LoopbackSocket socket(port);
    if (!socket.send("POST " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: "
            + std::to_string(body.size()) + "\r\n\r\n" + body))
        return {};
    std::string answer;
    socket.read(static_cast<std::size_t>(-1), answer); // until the server closes
    const std::size_t bodyStart = answer.find("\r\n\r\n");
    return bodyStart == std::string::npos ? std::string() : answer.substr(bodyStart + 4);
}
