#pragma once

#include "deadline.h"

#include <poll.h>

enum class SocketWait { Ready, TimedOut, Failed };

// Waits until the socket reports one of events (POLLIN, POLLOUT), an error or a hang-up,
// or the deadline passes. Signals do not cut the wait short.
SocketWait waitForSocket(int socket, short events, const Deadline& deadline);
