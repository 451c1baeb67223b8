#include "serialdevicechoice.h"

#include <sys/stat.h>

namespace
{
constexpr const char* kPortFamilies[] = { "ttyUSB", "ttyACM", "ttyS" };
}

std::vector<std::string> serialDeviceCandidates(
    const std::string& deviceSetting, int port, const std::string& directory)
{
    if (!deviceSetting.empty())
        return { deviceSetting };
    if (port < 0)
        return {};
    std::vector<std::string> candidates;
    for (const char* family : kPortFamilies)
        candidates.push_back(directory + "/" + family + std::to_string(port));
    return candidates;
}

std::optional<std::string> firstExistingDevice(const std::vector<std::string>& candidates)
{
    for (const std::string& path : candidates) {
        struct stat info {
        };
        if (::stat(path.c_str(), &info) == 0)
            return path;
    }
    return std::nullopt;
}

std::string joinedDevices(const std::vector<std::string>& candidates)
{
    std::string text;
    for (const std::string& path : candidates)
        text += (text.empty() ? "" : ", ") + path;
    return text;
}
