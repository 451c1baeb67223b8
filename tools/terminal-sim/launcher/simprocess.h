#pragma once

#include <cstdio>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

// terminal-sim started with the given options on a free port of 127.0.0.1, for tests
// and benchmarks. The destructor ends it by its PID.
class SimProcess
{
public:
    SimProcess(const std::string& executable, const std::vector<std::string>& options);
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    int port() const { return port_; }

private:
    void stop();

    pid_t pid_ = -1;
    FILE* output_ = nullptr; // the simulator's stdout; its first line names the port
    std::thread drain_; // reads the rest, so the simulator never blocks on a full pipe
    int port_ = 0;
};
