#pragma once

#include <cstddef>
#include <string>

// A formatted log message never exceeds this many bytes, its NUL included.
constexpr std::size_t kLogMessageCapacity = 1024;

// Appends one entry "[time][unit:line] text" to the day's log file, when logging is on.
void writeLog(const char* sourceUnit, int line, const char* text);
void writeLog(const char* sourceUnit, int line, const std::string& text);

// Formats a message (cut at kLogMessageCapacity) and logs it.
void writeLogFormat(const char* sourceUnit, int line, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

// Each source file defines kLogUnit, the unit name its entries carry.
#define ZLOG_TEXT(text) writeLog(kLogUnit, __LINE__, (text))
#define ZLOG(...) writeLogFormat(kLogUnit, __LINE__, __VA_ARGS__)
