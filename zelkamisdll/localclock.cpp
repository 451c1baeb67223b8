#include "localclock.h"

#include <cstdio>
#include <ctime>

namespace
{
constexpr size_t kStampTextCapacity = 128;
}

LocalStamp localStampNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);

    char date[kStampTextCapacity];
    char time[kStampTextCapacity];
    std::snprintf(date, sizeof date, "%d%02d%02d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    std::snprintf(time, sizeof time, "%d-%02d-%02d %02d:%02d:%02d", local.tm_year + 1900, local.tm_mon + 1,
        local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return { date, time };
}
