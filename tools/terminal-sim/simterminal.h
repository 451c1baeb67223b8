#pragma once

#include "simchannel.h"
#include "simoptions.h"

#include <string>

// Plays the payment terminal on one channel: answers frames until the client goes,
// printing one line per exchange.
class SimTerminal
{
public:
    explicit SimTerminal(const SimOptions& options)
        : options_(options)
    {
    }
    void serve(SimChannel& channel);

private:
    bool faultApplies(bool handshake) const;
    // Sends the answer frame, spoiled as the fault says; false when the channel is done.
    bool sendAnswer(SimChannel& channel, const std::string& payload, bool faulty);
    bool sendInPieces(SimChannel& channel, const std::string& frame);

    SimOptions options_;
    long exchanges_ = 0;
};
