#pragma once

#include <QMutex>
#include <QStringList>
#include <QtGlobal>

// Collects the texts of the Qt messages raised while it lives, in place of
// the handler installed before it.
class RecordedMessages
{
public:
    RecordedMessages();
    ~RecordedMessages();
    RecordedMessages(const RecordedMessages&) = delete;
    RecordedMessages& operator=(const RecordedMessages&) = delete;

    QStringList texts() const;
    QStringList textsOf(QtMsgType type) const;

private:
    static void record(QtMsgType type, const QMessageLogContext& context, const QString& message);

    mutable QMutex m_mutex;
    QList<QPair<QtMsgType, QString>> m_messages;
    QtMessageHandler m_previous;
};
