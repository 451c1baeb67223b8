// terminal-sim: a payment terminal for tests and for developers without one at hand.
#include "ptytransport.h"
#include "simoptions.h"
#include "simterminal.h"
#include "tcptransport.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace
{

// Opens the transport the options ask for and prints where the library finds it
// (the first line of output); null after printing the reason to stderr.
std::unique_ptr<SimTransport> startTransport(const SimOptions& options)
{
    if (options.link == SimLink::Pty) {
        auto pty = std::make_unique<PtyTransport>();
        if (!pty->open()) {
            std::fprintf(stderr, "terminal-sim: cannot open a pseudo-terminal: %s\n", std::strerror(errno));
            return nullptr;
        }
        std::printf("serial line on %s\n", pty->devicePath().c_str());
        return pty;
    }
    auto tcp = std::make_unique<TcpTransport>();
    if (!tcp->listenOn(options.port)) {
        std::fprintf(
            stderr, "terminal-sim: cannot listen on 127.0.0.1:%d: %s\n", options.port, std::strerror(errno));
        return nullptr;
    }
    std::printf("listening on 127.0.0.1:%d\n", tcp->boundPort());
    return tcp;
}

} // namespace

int main(int argc, char** argv)
{
    std::string message;
    const std::optional<SimOptions> options = parseSimOptions(argc, argv, message);
    if (!options) {
        std::fputs(message.c_str(), stderr);
        return 2;
    }
    std::setvbuf(stdout, nullptr, _IOLBF, 0);

    const std::unique_ptr<SimTransport> transport = startTransport(*options);
    if (!transport)
        return 1;
    SimTerminal terminal(*options);
    while (const std::unique_ptr<SimChannel> channel = transport->nextChannel())
        terminal.serve(*channel);
    std::fprintf(stderr, "terminal-sim: the link failed: %s\n", std::strerror(errno));
    return 1;
}
