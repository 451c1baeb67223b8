#pragma once

#include <cstddef>
#include <memory>
#include <sys/types.h>

// A byte stream to one client of the simulated terminal.
class SimChannel
{
public:
    virtual ~SimChannel() = default;
    // Up to count bytes; 0 when the client has gone.
    virtual ssize_t read(void* buffer, std::size_t count) = 0;
    // False when the client has gone.
    virtual bool writeAll(const void* data, std::size_t count) = 0;
};

// Where clients come from. TCP gives one channel per connection; a serial line would
// give the same long-lived channel again.
class SimTransport
{
public:
    virtual ~SimTransport() = default;
    // Blocks until the next client; null when the transport has failed.
    virtual std::unique_ptr<SimChannel> nextChannel() = 0;
};
