#pragma once

#include <QList>
#include <QMutex>
#include <QPair>
#include <QString>
#include <QStringList>

// Collects the messages of the logging category "default" while it exists
// (from every thread) and keeps them off the console.
class LogCapture
{
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    QStringList lines() const;
    QStringList linesOf(QtMsgType type) const;
    bool contains(const QString& text) const;
    // How many messages contain text.
    int count(const QString& text) const;
    // Waits (running the event loop) until `times` messages contain text.
    bool waitFor(const QString& text, int timeoutMs = 5000, int times = 1) const;

private:
    static void handler(QtMsgType type, const QMessageLogContext& context, const QString& message);

    static LogCapture* s_current;
    QtMessageHandler m_previous;
    mutable QMutex m_mutex;
    QList<QPair<QtMsgType, QString>> m_messages;
};
