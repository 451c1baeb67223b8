#include "serialline.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace
{

// Raw binary line at 9600 8N1. Hardware flow control keeps what the driver reports;
// software flow control is off, since its control bytes may occur in a frame.
bool setLineSettings(int fd)
{
    termios line {};
    if (::tcgetattr(fd, &line) != 0)
        return false;
    ::cfmakeraw(&line);
    line.c_iflag &= ~static_cast<tcflag_t>(INPCK | IXON | IXOFF | IXANY);
    line.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB);
    line.c_cflag |= CS8 | CLOCAL | CREAD;
    line.c_cc[VMIN] = 0;
    line.c_cc[VTIME] = 0;
    if (::cfsetispeed(&line, B9600) != 0 || ::cfsetospeed(&line, B9600) != 0)
        return false;
    return ::tcsetattr(fd, TCSANOW, &line) == 0;
}

// Sleeps until the deadline: a line that has gone quiet for good is waited on like a
// silent one instead of being polled in a loop.
void waitOut(const Deadline& deadline)
{
    while (::poll(nullptr, 0, deadline.remainingMilliseconds()) < 0 && errno == EINTR) { }
}

// Waits for events on fd; false when the deadline passed or the line failed.
bool waitFor(int fd, short events, const Deadline& deadline)
{
    for (;;) {
        pollfd entry { fd, events, 0 };
        const int ready = ::poll(&entry, 1, deadline.remainingMilliseconds());
        if (ready > 0)
            return (entry.revents & events) != 0;
        if (ready == 0 || errno != EINTR)
            return false;
    }
}

} // namespace

SerialHandle openSerialLine(const std::string& path, std::string& reason)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = std::strerror(errno);
        return kNoSerialHandle;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        reason = errno == EWOULDBLOCK ? "in use" : std::strerror(errno);
        ::close(fd);
        return kNoSerialHandle;
    }
    if (!setLineSettings(fd)) {
        reason = std::strerror(errno);
        ::close(fd);
        return kNoSerialHandle;
    }
    ::tcflush(fd, TCIOFLUSH);
    return fd;
}

int writeSerialLine(SerialHandle line, const unsigned char* data, int count, const Deadline& deadline)
{
    int written = 0;
    while (written < count) {
        const ssize_t n = ::write(line, data + written, static_cast<std::size_t>(count - written));
        if (n > 0) {
            written += static_cast<int>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            break;
        if (!waitFor(line, POLLOUT, deadline))
            break;
    }
    return written;
}

int readSerialLine(SerialHandle line, unsigned char* buffer, int count, const Deadline& deadline)
{
    int got = 0;
    while (got < count) {
        if (!waitFor(line, POLLIN, deadline)) {
            waitOut(deadline);
            break;
        }
        const ssize_t n = ::read(line, buffer + got, static_cast<std::size_t>(count - got));
        if (n > 0) {
            got += static_cast<int>(n);
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        waitOut(deadline); // end of file or a line error: the device has gone
        break;
    }
    return got;
}

void closeSerialLine(SerialHandle line)
{
    ::close(line);
}
