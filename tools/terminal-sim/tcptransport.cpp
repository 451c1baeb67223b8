#include "tcptransport.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace
{

class TcpChannel : public SimChannel
{
public:
    explicit TcpChannel(int socket)
        : socket_(socket)
    {
    }
    ~TcpChannel() override { ::close(socket_); }

    ssize_t read(void* buffer, std::size_t count) override
    {
        for (;;) {
            const ssize_t got = ::recv(socket_, buffer, count, 0);
            if (got >= 0 || errno != EINTR)
                return got < 0 ? 0 : got;
        }
    }

    bool writeAll(const void* data, std::size_t count) override
    {
        const char* bytes = static_cast<const char*>(data);
        while (count > 0) {
            const ssize_t sent = ::send(socket_, bytes, count, MSG_NOSIGNAL);
            if (sent < 0 && errno == EINTR)
                continue;
            if (sent <= 0)
                return false;
            bytes += sent;
            count -= static_cast<std::size_t>(sent);
        }
        return true;
    }

private:
    int socket_;
};

} // namespace

TcpTransport::~TcpTransport()
{
    if (listener_ >= 0)
        ::close(listener_);
}

bool TcpTransport::listenOn(int port)
{
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listener_ < 0)
        return false;
    const int reuse = 1;
    ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    socklen_t length = sizeof address;
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
        || ::listen(listener_, 8) != 0
        || ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return false;
    boundPort_ = ntohs(address.sin_port);
    return true;
}

std::unique_ptr<SimChannel> TcpTransport::nextChannel()
{
    for (;;) {
        const int socket = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (socket >= 0)
            return std::make_unique<TcpChannel>(socket);
        if (errno != EINTR && errno != ECONNABORTED)
            return nullptr;
    }
}
