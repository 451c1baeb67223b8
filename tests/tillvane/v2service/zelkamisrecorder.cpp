// A stand-in for the terminal library that records every call it receives, for
// tests of the program's binding. The recorder* exports let a test read the
// record and choose results. Built without setCOM and setOther when
// RECORDER_WITHOUT_SETCOM_SETOTHER is defined.
#include "zelkamisdll.h"

#include <atomic>
#include <chrono>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <thread>

#define RECORDER_API extern "C" __attribute__((visibility("default")))

namespace
{

std::mutex recordMutex;
std::string record; // one line per call: name(arguments)
std::map<std::string, int> results; // chosen result per export; 0 otherwise
std::atomic<int> activeCalls { 0 };
std::atomic<int> mostActiveCalls { 0 };
std::atomic<int> transactionDelayMs { 0 };

// Records one call and counts it as running while it lives.
class RecordedCall
{
public:
    RecordedCall(const std::string& name, const std::string& arguments)
        : name_(name)
    {
        const int active = ++activeCalls;
        int most = mostActiveCalls.load();
        while (active > most && !mostActiveCalls.compare_exchange_weak(most, active)) { }
        std::lock_guard<std::mutex> lock(recordMutex);
        record += name + "(" + arguments + ")\n";
    }
    ~RecordedCall() { --activeCalls; }

    int result() const
    {
        std::lock_guard<std::mutex> lock(recordMutex);
        const auto found = results.find(name_);
        return found == results.end() ? 0 : found->second;
    }

private:
    std::string name_;
};

std::string text(const char* value)
{
    return value ? value : "(null)";
}

} // namespace

extern "C" {

const char* getVersion(void)
{
    RecordedCall call("getVersion", "");
    return "9.8.7.6";
}

void setPath(const char* dir)
{
    RecordedCall call("setPath", text(dir));
}

void setLogPath(const char* dir)
{
    RecordedCall call("setLogPath", text(dir));
}

#ifndef RECORDER_WITHOUT_SETCOM_SETOTHER
int setCOM(const char* comName)
{
    return RecordedCall("setCOM", text(comName)).result();
}

int setOther(const char* key, const char* value)
{
    return RecordedCall("setOther", text(key) + "," + text(value)).result();
}
#endif

int setEthernet(const char* host, int port)
{
    return RecordedCall("setEthernet", text(host) + "," + std::to_string(port)).result();
}

int setBluetooth(const char* mac)
{
    return RecordedCall("setBluetooth", text(mac)).result();
}

int setCharset(const char* charset)
{
    return RecordedCall("setCharset", text(charset)).result();
}

int setTimeout(int seconds)
{
    return RecordedCall("setTimeout", std::to_string(seconds)).result();
}

int doTransaction(const char* request, char* result)
{
    RecordedCall call("doTransaction", text(request));
    std::this_thread::sleep_for(std::chrono::milliseconds(transactionDelayMs.load()));
    const int code = call.result();
    if (code == 0)
        std::strcpy(result, R"({"recorded":true})");
    return code;
}

} // extern "C"

// Every call so far, one "name(arguments)" line each.
RECORDER_API const char* recorderCalls(void)
{
    static std::string copy;
    std::lock_guard<std::mutex> lock(recordMutex);
    copy = record;
    return copy.c_str();
}

RECORDER_API void recorderClear(void)
{
    std::lock_guard<std::mutex> lock(recordMutex);
    record.clear();
}

RECORDER_API void recorderSetResult(const char* name, int code)
{
    std::lock_guard<std::mutex> lock(recordMutex);
    results[name] = code;
}

// doTransaction holds its call this long, so that an overlapping call shows.
RECORDER_API void recorderSetTransactionDelayMs(int ms)
{
    transactionDelayMs = ms;
}

// The most calls that ran at the same time.
RECORDER_API int recorderMostConcurrentCalls(void)
{
    return mostActiveCalls.load();
}
