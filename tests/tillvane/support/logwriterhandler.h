#pragma once

#include <QtGlobal>

class LogWriter;

// Sends every Qt message raised while it lives to writer, the way the
// program's message handler does with its own writer.
class LogWriterHandler
{
public:
    explicit LogWriterHandler(LogWriter& writer);
    ~LogWriterHandler();
    LogWriterHandler(const LogWriterHandler&) = delete;
    LogWriterHandler& operator=(const LogWriterHandler&) = delete;

private:
    QtMessageHandler m_previous;
};
