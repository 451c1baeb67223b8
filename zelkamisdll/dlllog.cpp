#include "dlllog.h"

#include "libstate.h"
#include "localclock.h"
#include "platformpaths.h"

#include <cstdarg>
#include <cstdio>

namespace
{

std::string logFileName(const std::string& directory, const std::string& date)
{
    const bool endsWithSeparator = !directory.empty() && directory.back() == '/';
    return directory + (endsWithSeparator ? "" : "/") + "dllLog" + date + ".txt";
}

std::FILE* openLogFile(const std::string& date)
{
    if (std::FILE* file = std::fopen(logFileName(libraryState().logDirectory, date).c_str(), "a"))
        return file;
    return std::fopen(logFileName(systemTempDirectory(), date).c_str(), "a");
}

} // namespace

void writeLog(const char* sourceUnit, int line, const char* text)
{
    if (!libraryState().loggingOn)
        return;
    const LocalStamp stamp = localStampNow();
    std::FILE* file = openLogFile(stamp.date);
    if (file == nullptr)
        return;
    std::fprintf(file, "[%s][%s:%d] ", stamp.time.c_str(), sourceUnit, line);
    std::fputs(text, file);
    std::fputc('\n', file);
    std::fclose(file);
}

void writeLog(const char* sourceUnit, int line, const std::string& text)
{
    writeLog(sourceUnit, line, text.c_str());
}

void writeLogFormat(const char* sourceUnit, int line, const char* format, ...)
{
    if (!libraryState().loggingOn)
        return;
    char message[kLogMessageCapacity];
    va_list args;
    va_start(args, format);
    std::vsnprintf(message, sizeof message, format, args);
    va_end(args);
    writeLog(sourceUnit, line, message);
}
