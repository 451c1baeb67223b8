#include "ptypair.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <stdexcept>

PtyPair::PtyPair()
{
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    char name[PATH_MAX];
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0
        || ::ptsname_r(master_, name, sizeof name) != 0)
        throw std::runtime_error("no pseudo-terminal");
    device_ = name;
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios line {};
    if (slave_ < 0 || ::tcgetattr(slave_, &line) != 0)
        throw std::runtime_error("cannot open " + device_);
    ::cfmakeraw(&line); // no echo of what the terminal sends
    ::tcsetattr(slave_, TCSANOW, &line);
}

PtyPair::~PtyPair()
{
    hangUp();
}

void PtyPair::send(const std::string& bytes) const
{
    if (::write(master_, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
        throw std::runtime_error("write to the pseudo-terminal failed");
}

std::string PtyPair::receive(std::size_t count, int timeoutMs) const
{
    std::string bytes;
    pollfd entry { master_, POLLIN, 0 };
    while (bytes.size() < count && ::poll(&entry, 1, timeoutMs) > 0) {
        char chunk[256];
        const ssize_t got = ::read(master_, chunk, std::min(sizeof chunk, count - bytes.size()));
        if (got <= 0)
            break;
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
    return bytes;
}

void PtyPair::hangUp()
{
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
    slave_ = master_ = -1;
}
