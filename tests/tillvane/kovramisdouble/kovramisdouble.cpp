// A recording stand-in for the older terminal transaction library. Every call
// is appended to the trace file named by KOVRAMIS_DOUBLE_TRACE as one line,
// "name(arg,arg)"; results come from the environment, read at each call:
//   KOVRAMIS_DOUBLE_RESULT_CODE       getTransResultCode (default 0)
//   KOVRAMIS_DOUBLE_RESULT_TEXT       GetTransResultString (default empty)
//   KOVRAMIS_DOUBLE_HANDSHAKE_RESULT  doHandShake (default 0)
//   KOVRAMIS_DOUBLE_START_DELAY_MS    how long startTrans takes (default 0)
// Built with KOVRAMIS_DOUBLE_PARTIAL, it lacks setFixInputItem, setBillInfo
// and doHandShake.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#define KOVRAMIS_EXPORT extern "C" __attribute__((visibility("default")))

namespace
{

void trace(const std::string& line)
{
    const char* path = std::getenv("KOVRAMIS_DOUBLE_TRACE");
    if (!path || !*path)
        return;
    if (FILE* file = std::fopen(path, "ab")) {
        std::fprintf(file, "%s\n", line.c_str());
        std::fclose(file);
    }
}

std::string call(const char* name, const std::string& args = std::string())
{
    return std::string(name) + "(" + args + ")";
}

int scriptedNumber(const char* variable)
{
    const char* value = std::getenv(variable);
    return value ? std::atoi(value) : 0;
}

void writeResultText(const char* name, char* buffer)
{
    trace(call(name));
    const char* text = std::getenv("KOVRAMIS_DOUBLE_RESULT_TEXT");
    if (text)
        std::snprintf(buffer, 2048, "%s", text);
}

} // namespace

#define KOVRAMIS_TEXT_SETTER(name)                                                                           \
    KOVRAMIS_EXPORT void name(const char* text)                                                              \
    {                                                                                                        \
        trace(call(#name, text ? text : "<null>"));                                                          \
    }

KOVRAMIS_EXPORT void initTransaction()
{
    trace(call("initTransaction"));
}

KOVRAMIS_EXPORT void startTrans()
{
    trace(call("startTrans"));
    std::this_thread::sleep_for(std::chrono::milliseconds(scriptedNumber("KOVRAMIS_DOUBLE_START_DELAY_MS")));
}

KOVRAMIS_EXPORT void setCommuMode(int mode)
{
    trace(call("setCommuMode", std::to_string(mode)));
}

KOVRAMIS_EXPORT void setRS232Parameter(int port, int baud)
{
    trace(call("setRS232Parameter", std::to_string(port) + "," + std::to_string(baud)));
}

KOVRAMIS_EXPORT void setEhernetParameter(const char* host, int port)
{
    trace(call("setEhernetParameter", std::string(host ? host : "<null>") + "," + std::to_string(port)));
}

KOVRAMIS_EXPORT void setTimeout(int seconds)
{
    trace(call("setTimeout", std::to_string(seconds)));
}

KOVRAMIS_EXPORT void setTransType(int type)
{
    trace(call("setTransType", std::to_string(type)));
}

KOVRAMIS_TEXT_SETTER(setTransAmount)
KOVRAMIS_TEXT_SETTER(setReferenceNum)
KOVRAMIS_TEXT_SETTER(setCardNo)
KOVRAMIS_TEXT_SETTER(setExpDate)
KOVRAMIS_TEXT_SETTER(setTranDate)
KOVRAMIS_TEXT_SETTER(setOrgTranDate)
KOVRAMIS_TEXT_SETTER(setMisTraceNo)
KOVRAMIS_TEXT_SETTER(setPreInputItem)
KOVRAMIS_TEXT_SETTER(setOrgTermNo)

KOVRAMIS_EXPORT int getTransResultCode()
{
    trace(call("getTransResultCode"));
    return scriptedNumber("KOVRAMIS_DOUBLE_RESULT_CODE");
}

KOVRAMIS_EXPORT void getTransResultString(char* buffer)
{
    writeResultText("getTransResultString", buffer);
}

KOVRAMIS_EXPORT void GetTransResultString(char* buffer)
{
    writeResultText("GetTransResultString", buffer);
}

#ifndef KOVRAMIS_DOUBLE_PARTIAL
KOVRAMIS_TEXT_SETTER(setFixInputItem)
KOVRAMIS_TEXT_SETTER(setBillInfo)

KOVRAMIS_EXPORT int doHandShake()
{
    trace(call("doHandShake"));
    return scriptedNumber("KOVRAMIS_DOUBLE_HANDSHAKE_RESULT");
}
#endif
