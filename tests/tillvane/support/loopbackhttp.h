#pragma once

#include <QByteArray>

// Sends "GET <path>" to 127.0.0.1:port and returns the body of the answer
// (empty when nobody answers). Waits at most 5 s, with the calling thread's
// event loop running, so a server on the same thread can accept.
QByteArray loopbackGetBody(quint16 port, const char* path = "/");
