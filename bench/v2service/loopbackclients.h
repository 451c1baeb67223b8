#pragma once

#include <string>

// Blocking clients on 127.0.0.1 for the benchmark, free of any event loop.

// What the library does on the wire for one transaction, without the library: a
// handshake exchange and a request exchange with the terminal at port, each on its
// own connection. False when an exchange got no whole answer frame.
bool exchangeWithTerminal(int port, const std::string& request);

// POSTs body to path and returns the answer's body once the server closed the
// connection; empty on failure.
std::string postOverHttp(int port, const std::string& path, const std::string& body);
