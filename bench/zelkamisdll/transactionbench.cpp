// Measures doTransaction against terminal-sim on 127.0.0.1: throughput, median time per
// transaction, and CPU seconds spent while waiting 5 s on a terminal that stays silent.
#include "simprocess.h"
#include "zelkamisdll.h"

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace
{

using Clock = std::chrono::steady_clock;

double cpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec
        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void pointAt(const std::string& dir, int port, int timeoutSeconds)
{
    std::ofstream(dir + "/zelkamissetting.json") << R"({"mode":"ETH","hostip":"127.0.0.1","port":)" << port
                                                 << R"(,"timeout":)" << timeoutSeconds << "}";
}

} // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 500;
    char dirTemplate[] = "/tmp/zelkamis-bench-XXXXXX";
    const std::string dir = mkdtemp(dirTemplate);
    setPath(dir.c_str()); // logging stays off: the library's own cost is measured
    std::vector<char> result(ZELKAMIS_RESULT_CAPACITY);
    const char request[] = R"({"CMD":"SALE","EXT_ORDER_NO":"20200728123240","AMOUNT":"000000000100"})";

    {
        SimProcess sim(TERMINAL_SIM_EXECUTABLE, {});
        pointAt(dir, sim.port(), 5);
        std::vector<double> millis;
        const auto start = Clock::now();
        for (int i = 0; i < count; ++i) {
            const auto begin = Clock::now();
            if (doTransaction(request, result.data()) != 0) {
                std::fprintf(stderr, "transaction %d failed\n", i);
                return 1;
            }
            millis.push_back(std::chrono::duration<double, std::milli>(Clock::now() - begin).count());
        }
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        std::sort(millis.begin(), millis.end());
        std::printf("transactions: %d in %.2f s, %.0f per second, median %.3f ms\n", count, seconds,
            count / seconds, millis[millis.size() / 2]);
    }
    {
        SimProcess sim(TERMINAL_SIM_EXECUTABLE, { "--fault", "silent" });
        pointAt(dir, sim.port(), 5);
        const double cpuBefore = cpuSeconds();
        const auto begin = Clock::now();
        const int code = doTransaction(request, result.data());
        std::printf("silent terminal: result %d after %.2f s, CPU %.4f s\n", code,
            std::chrono::duration<double>(Clock::now() - begin).count(), cpuSeconds() - cpuBefore);
    }
    std::filesystem::remove_all(dir);
    return 0;
}
