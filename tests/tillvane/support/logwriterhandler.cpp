#include "logwriterhandler.h"

#include "logwriter.h"

namespace {
LogWriter* s_writer = nullptr;

void writeToTestWriter(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    s_writer->write(type, context, message);
}
}

LogWriterHandler::LogWriterHandler(LogWriter& writer)
{
    s_writer = &writer;
    m_previous = qInstallMessageHandler(writeToTestWriter);
}

LogWriterHandler::~LogWriterHandler()
{
    qInstallMessageHandler(m_previous);
    s_writer = nullptr;
}
