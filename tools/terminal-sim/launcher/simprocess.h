#pragma once

#include <cstdio>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

// terminal-sim started with the given options, for tests and benchmarks: on a free port
// of 127.0.0.1, or with "--link pty" on a pseudo-terminal. The destructor ends it by its PID.
class SimProcess
{
public:
    SimProcess(const std::string& executable, const std::vector<std::string>& options);
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    int port() const { return port_; }
    // The serial device with "--link pty"; empty otherwise.
    const std::string& device() const { return device_; }

private:
    void stop();
    // Reads the first output line: the port, or the serial device.
    bool readWhereItServes();

    pid_t pid_ = -1;
    FILE* output_ = nullptr; // the simulator's stdout; its first line says where it serves
    std::thread drain_; // reads the rest, so the simulator never blocks on a full pipe
    int port_ = 0;
    std::string device_;
};
