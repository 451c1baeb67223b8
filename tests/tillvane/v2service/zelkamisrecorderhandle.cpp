#include "zelkamisrecorderhandle.h"

ZelkamisRecorderHandle::ZelkamisRecorderHandle(const QString& libraryPath)
    : m_library(libraryPath)
{
    m_library.load();
}

bool ZelkamisRecorderHandle::isLoaded() const
{
    return m_library.isLoaded();
}

QStringList ZelkamisRecorderHandle::calls() const
{
    const auto recorderCalls = entry<const char* (*)()>("recorderCalls");
    return QString::fromUtf8(recorderCalls()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void ZelkamisRecorderHandle::clear()
{
    entry<void (*)()>("recorderClear")();
}

void ZelkamisRecorderHandle::setResult(const char* exportName, int code)
{
    entry<void (*)(const char*, int)>("recorderSetResult")(exportName, code);
}

void ZelkamisRecorderHandle::setTransactionDelayMs(int ms)
{
    entry<void (*)(int)>("recorderSetTransactionDelayMs")(ms);
}

int ZelkamisRecorderHandle::mostConcurrentCalls() const
{
    return entry<int (*)()>("recorderMostConcurrentCalls")();
}
