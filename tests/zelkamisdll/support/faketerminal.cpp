#include "faketerminal.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace
{

constexpr int kPollStepMs = 50;

// Reads until one whole frame is in, the client goes, or the terminal stops.
std::string readFrame(int client, const std::atomic<bool>& stopping)
{
    std::string bytes;
    for (;;) {
        const std::size_t start = bytes.find('\x02');
        if (start != std::string::npos && bytes.size() >= start + 3) {
            const std::size_t length = static_cast<unsigned char>(bytes[start + 1]) * 256u
                + static_cast<unsigned char>(bytes[start + 2]);
            if (bytes.size() >= start + length + 5)
                return bytes.substr(start + 3, length);
        }
        pollfd entry { client, POLLIN, 0 };
        if (stopping || ::poll(&entry, 1, kPollStepMs) < 0)
            return {};
        if (entry.revents == 0)
            continue;
        char chunk[4096];
        const ssize_t got = ::recv(client, chunk, sizeof chunk, 0);
        if (got <= 0)
            return {};
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
}

// Waits until the client closes or the terminal stops.
void waitForClose(int client, const std::atomic<bool>& stopping)
{
    while (!stopping) {
        pollfd entry { client, POLLIN, 0 };
        if (::poll(&entry, 1, kPollStepMs) < 0)
            return;
        char chunk[256];
        if (entry.revents != 0 && ::recv(client, chunk, sizeof chunk, 0) <= 0)
            return;
    }
}

} // namespace

std::string frameBytes(const std::string& payload)
{
    unsigned char lrc = payload.empty() ? 0 : 0x44;
    for (const char c : payload)
        lrc ^= static_cast<unsigned char>(c);
    std::string frame
        = { '\x02', static_cast<char>(payload.size() >> 8), static_cast<char>(payload.size() & 0xFF) };
    return frame + payload + '\x03' + static_cast<char>(lrc);
}

FakeReply sendBytes(std::string bytes)
{
    return { FakeReply::Send, std::move(bytes) };
}

FakeReply sendFrame(const std::string& payload)
{
    return sendBytes(frameBytes(payload));
}

FakeReply staySilent()
{
    return { FakeReply::Silent, {} };
}

FakeReply hangUp()
{
    return { FakeReply::Close, {} };
}

FakeTerminal::FakeTerminal(std::vector<FakeReply> script)
    : script_(std::move(script))
{
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
        || ::listen(listener_, 8) != 0
        || ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("fake terminal cannot listen");
    port_ = ntohs(address.sin_port);
    thread_ = std::thread(&FakeTerminal::run, this);
}

FakeTerminal::~FakeTerminal()
{
    stopping_ = true;
    thread_.join();
    ::close(listener_);
}

std::vector<std::string> FakeTerminal::receivedPayloads() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return payloads_;
}

void FakeTerminal::run()
{
    while (!stopping_) {
        pollfd entry { listener_, POLLIN, 0 };
        if (::poll(&entry, 1, kPollStepMs) <= 0)
            continue;
        const int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            continue;
        const int index = connections_++;
        serve(client, script_[std::min<std::size_t>(static_cast<std::size_t>(index), script_.size() - 1)]);
        ::close(client);
    }
}

void FakeTerminal::serve(int client, const FakeReply& reply)
{
    const std::string payload = readFrame(client, stopping_);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        payloads_.push_back(payload);
    }
    if (reply.kind == FakeReply::Close)
        return;
    if (reply.kind == FakeReply::Send)
        ::send(client, reply.bytes.data(), reply.bytes.size(), MSG_NOSIGNAL);
    waitForClose(client, stopping_);
}
