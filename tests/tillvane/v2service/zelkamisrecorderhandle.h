#pragma once

#include <QLibrary>
#include <QString>
#include <QStringList>

// The test's side of a recording library file: loads the same file the service
// under test loads (so both see one record) and reads or steers it.
class ZelkamisRecorderHandle
{
public:
    explicit ZelkamisRecorderHandle(const QString& libraryPath);

    bool isLoaded() const;
    // Every call so far, as "name(arguments)".
    QStringList calls() const;
    void clear();
    void setResult(const char* exportName, int code);
    void setTransactionDelayMs(int ms);
    int mostConcurrentCalls() const;

private:
    template <typename Function> Function entry(const char* name) const
    {
        return reinterpret_cast<Function>(m_library.resolve(name));
    }

    mutable QLibrary m_library;
};
