#include "socketwait.h"

#include <poll.h>

#include <cerrno>

SocketWait waitForSocket(int socket, short events, const Deadline& deadline)
{
    for (;;) {
        pollfd entry { socket, events, 0 };
        const int ready = ::poll(&entry, 1, deadline.remainingMilliseconds());
        if (ready > 0)
            return SocketWait::Ready;
        if (ready == 0)
            return SocketWait::TimedOut;
        if (errno != EINTR)
            return SocketWait::Failed;
    }
}
