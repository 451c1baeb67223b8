#include "logcapture.h"

#include <QMutexLocker>
#include <QTest>

#include <algorithm>

LogCapture* LogCapture::s_current = nullptr;

namespace
{

// Long messages (whole requests) are kept only in part.
constexpr int keptMessageLength = 1000;

} // namespace

LogCapture::LogCapture()
{
    s_current = this;
    m_previous = qInstallMessageHandler(&LogCapture::handler);
}

LogCapture::~LogCapture()
{
    qInstallMessageHandler(m_previous);
    s_current = nullptr;
}

void LogCapture::handler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!s_current || qstrcmp(context.category, "default") != 0)
        return;
    QMutexLocker lock(&s_current->m_mutex);
    s_current->m_messages.append({type, message.left(keptMessageLength)});
}

QStringList LogCapture::lines() const
{
    QMutexLocker lock(&m_mutex);
    QStringList result;
    for (const auto& message : m_messages)
        result << message.second;
    return result;
}

QStringList LogCapture::linesOf(QtMsgType type) const
{
    QMutexLocker lock(&m_mutex);
    QStringList result;
    for (const auto& message : m_messages) {
        if (message.first == type)
            result << message.second;
    }
    return result;
}

bool LogCapture::contains(const QString& text) const
{
    return count(text) > 0;
}

int LogCapture::count(const QString& text) const
{
    const QStringList all = lines();
    return static_cast<int>(
        std::count_if(all.cbegin(), all.cend(), [&](const QString& line) { return line.contains(text); }));
}

bool LogCapture::waitFor(const QString& text, int timeoutMs, int times) const
{
    return QTest::qWaitFor([&] { return count(text) >= times; }, timeoutMs);
}
