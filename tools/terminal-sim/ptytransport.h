#pragma once

#include "simchannel.h"

#include <string>

// One serial line on a pseudo-terminal: the terminal plays on the master side, the
// library opens the slave device by its path. The slave is also held open here, so the
// line stays up while the library closes and reopens it between exchanges.
class PtyTransport : public SimTransport
{
public:
    ~PtyTransport() override;
    // Creates the pair; false with errno set on failure.
    bool open();
    // The slave device, e.g. /dev/pts/3, for the library's "device" setting.
    const std::string& devicePath() const { return devicePath_; }

    // The same line every time, until reading or writing it has failed.
    std::unique_ptr<SimChannel> nextChannel() override;

private:
    int master_ = -1;
    int slave_ = -1;
    std::string devicePath_;
    bool failed_ = false;
};
