#include "ptytransport.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace
{

// The master side of the line; marks the transport failed when the line breaks.
class PtyChannel : public SimChannel
{
public:
    PtyChannel(int master, bool& failed)
        : master_(master)
        , failed_(failed)
    {
    }

    ssize_t read(void* buffer, std::size_t count) override
    {
        for (;;) {
            const ssize_t got = ::read(master_, buffer, count);
            if (got > 0)
                return got;
            if (got < 0 && errno == EINTR)
                continue;
            failed_ = true;
            return 0;
        }
    }

    bool writeAll(const void* data, std::size_t count) override
    {
        const char* bytes = static_cast<const char*>(data);
        while (count > 0) {
            const ssize_t written = ::write(master_, bytes, count);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0) {
                failed_ = true;
                return false;
            }
            bytes += written;
            count -= static_cast<std::size_t>(written);
        }
        return true;
    }

private:
    int master_;
    bool& failed_;
};

// No echo, no line editing, no translation: the line carries frames as they are.
bool makeRaw(int fd)
{
    termios line {};
    if (::tcgetattr(fd, &line) != 0)
        return false;
    ::cfmakeraw(&line);
    return ::tcsetattr(fd, TCSANOW, &line) == 0;
}

} // namespace

PtyTransport::~PtyTransport()
{
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
}

bool PtyTransport::open()
{
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    char name[PATH_MAX];
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0
        || ::ptsname_r(master_, name, sizeof name) != 0)
        return false;
    devicePath_ = name;
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    return slave_ >= 0 && makeRaw(slave_);
}

std::unique_ptr<SimChannel> PtyTransport::nextChannel()
{
    if (failed_)
        return nullptr;
    return std::make_unique<PtyChannel>(master_, failed_);
}
