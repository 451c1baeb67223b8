#pragma once

#include <optional>
#include <string>
#include <vector>

// Which device a serial mode opens. A non-empty "device" setting names it outright.
// Otherwise COM<port> stands for <directory>/ttyUSB<port>, ttyACM<port> or ttyS<port>,
// in that order of preference; a negative port names none.
constexpr char kDeviceDirectory[] = "/dev";

std::vector<std::string> serialDeviceCandidates(
    const std::string& deviceSetting, int port, const std::string& directory = kDeviceDirectory);

// The first candidate that exists.
std::optional<std::string> firstExistingDevice(const std::vector<std::string>& candidates);

// The candidates as one text for the log: "a, b, c".
std::string joinedDevices(const std::vector<std::string>& candidates);
