#pragma once

#include <string>

// The local date and time of one moment, as the log writes them.
struct LocalStamp {
    std::string date; // "%d%02d%02d"
    std::string time; // "%d-%02d-%02d %02d:%02d:%02d"
};

LocalStamp localStampNow();
