#pragma once

#include "simchannel.h"

// Clients over TCP on 127.0.0.1, one connection at a time.
class TcpTransport : public SimTransport
{
public:
    ~TcpTransport() override;
    // Listens on 127.0.0.1:port (0: any free port); false with errno set on failure.
    bool listenOn(int port);
    int boundPort() const { return boundPort_; }

    std::unique_ptr<SimChannel> nextChannel() override;

private:
    int listener_ = -1;
    int boundPort_ = 0;
};
