#pragma once

#include "httpresponse.h"
#include "programdirtempfolder.h"

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class MisServiceForKovra;

// Everything a test needs to drive MisServiceForKovra against the recording
// library: a private settings folder beside the test program whose
// CommunicationConfig.ini names the library, a trace file in a private temp
// folder, and the library's scripted results (set through the environment,
// reset when the set-up is built and again when it goes).
class KovraMisDoubleSetup
{
public:
    enum class Library { Full, Partial, Missing };

    // TCP/IP to 10.1.2.3:40000 with a time-out of 60 seconds.
    static const QByteArray tcpSettings;

    KovraMisDoubleSetup();
    ~KovraMisDoubleSetup();
    KovraMisDoubleSetup(const KovraMisDoubleSetup&) = delete;
    KovraMisDoubleSetup& operator=(const KovraMisDoubleSetup&) = delete;

    bool isValid() const;

    // Writes the "POS_INFO" section: DllName naming the library, then the given lines.
    void writeConfig(Library library, const QByteArray& settingsLines = tcpSettings) const;
    // A service reading the settings written last.
    std::unique_ptr<MisServiceForKovra> makeService() const;
    // The path the service is expected to load the library from.
    QString libraryPath(Library library) const;

    void scriptResult(int code, const QByteArray& text) const;
    void scriptHandshake(int result) const;
    void scriptStartDelay(int milliseconds) const;

    // The calls recorded so far, one "name(args)" per call.
    QStringList trace() const;
    void clearTrace() const;

private:
    ProgramDirTempFolder m_settingsFolder;
    QTemporaryDir m_traceFolder;
};

// Runs one request through the service's handle().
HttpResponse sendToService(MisServiceForKovra& service, const QString& path, const QByteArray& body,
    const QString& method = QStringLiteral("POST"));
