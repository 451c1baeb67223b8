#include "recordedmessages.h"

namespace {
RecordedMessages* s_current = nullptr;
}

RecordedMessages::RecordedMessages()
{
    s_current = this;
    m_previous = qInstallMessageHandler(&RecordedMessages::record);
}

RecordedMessages::~RecordedMessages()
{
    qInstallMessageHandler(m_previous);
    s_current = nullptr;
}

QStringList RecordedMessages::texts() const
{
    const QMutexLocker lock(&m_mutex);
    QStringList result;
    for (const auto& message : m_messages)
        result << message.second;
    return result;
}

QStringList RecordedMessages::textsOf(QtMsgType type) const
{
    const QMutexLocker lock(&m_mutex);
    QStringList result;
    for (const auto& message : m_messages) {
        if (message.first == type)
            result << message.second;
    }
    return result;
}

void RecordedMessages::record(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    const QMutexLocker lock(&s_current->m_mutex);
    s_current->m_messages.append({type, message});
}
