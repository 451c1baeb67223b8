// newconnection-client <port> <seconds>: requests per second on "/" with a new
// connection per request, one at a time. Each request connects to
// 127.0.0.1:<port>, sends GET / with "Connection: close", reads until the
// server closes and checks that the answer ends in "hello world.". A
// connection that ends without that answer counts as refused.
// Prints "<answered per second> <refused>".
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{

const char request[] = "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
const char expectedEnd[] = "hello world.";

bool oneRequest(const sockaddr_in& address)
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    const timeval timeout { 5, 0 };
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    std::string answer;
    bool sent = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0
        && send(fd, request, sizeof request - 1, MSG_NOSIGNAL) == static_cast<ssize_t>(sizeof request - 1);
    if (sent) {
        char chunk[4096];
        ssize_t n;
        while ((n = recv(fd, chunk, sizeof chunk, 0)) > 0)
            answer.append(chunk, static_cast<size_t>(n));
    }
    close(fd);
    const size_t endLength = sizeof expectedEnd - 1;
    return answer.size() >= endLength
        && answer.compare(answer.size() - endLength, endLength, expectedEnd) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <port> <seconds>\n", argv[0]);
        return 2;
    }
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(std::atoi(argv[1])));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const std::chrono::duration<double> duration(std::atof(argv[2]));

    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    long answered = 0;
    long refused = 0;
    while (Clock::now() - start < duration)
        ++(oneRequest(address) ? answered : refused);
    const std::chrono::duration<double> elapsed = Clock::now() - start;
    std::printf("%.0f %ld\n", answered / elapsed.count(), refused);
    return 0;
}
