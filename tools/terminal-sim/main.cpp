// terminal-sim: a payment terminal for tests and for developers without one at hand.
#include "simoptions.h"
#include "simterminal.h"
#include "tcptransport.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    std::string message;
    const std::optional<SimOptions> options = parseSimOptions(argc, argv, message);
    if (!options) {
        std::fputs(message.c_str(), stderr);
        return 2;
    }
    std::setvbuf(stdout, nullptr, _IOLBF, 0);

    TcpTransport transport;
    if (!transport.listenOn(options->port)) {
        std::fprintf(
            stderr, "terminal-sim: cannot listen on 127.0.0.1:%d: %s\n", options->port, std::strerror(errno));
        return 1;
    }
    std::printf("listening on 127.0.0.1:%d\n", transport.boundPort());

    SimTerminal terminal(*options);
    while (const std::unique_ptr<SimChannel> channel = transport.nextChannel())
        terminal.serve(*channel);
    std::fprintf(stderr, "terminal-sim: accept failed: %s\n", std::strerror(errno));
    return 1;
}
