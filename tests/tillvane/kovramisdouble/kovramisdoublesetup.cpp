#include "kovramisdoublesetup.h"

#include "httprequest.h"
#include "misserviceforkovra.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QUrl>

namespace
{

const char kConfigName[] = "CommunicationConfig.ini";
const char* const kScriptVariables[] = { "KOVRAMIS_DOUBLE_RESULT_CODE", "KOVRAMIS_DOUBLE_RESULT_TEXT",
    "KOVRAMIS_DOUBLE_HANDSHAKE_RESULT", "KOVRAMIS_DOUBLE_START_DELAY_MS" };

void clearScript()
{
    for (const char* variable : kScriptVariables)
        qunsetenv(variable);
}

// The library as a "./" name relative to the program's directory.
QString settingsNameOf(const QString& absolutePath)
{
    return QStringLiteral("./") + QDir(QCoreApplication::applicationDirPath()).relativeFilePath(absolutePath);
}

} // namespace

const QByteArray KovraMisDoubleSetup::tcpSettings
    = "CommunityType=1\nIp=10.1.2.3\nPort=40000\nTransTimeout=60\n";

KovraMisDoubleSetup::KovraMisDoubleSetup()
{
    clearScript();
    qputenv("KOVRAMIS_DOUBLE_TRACE", QFile::encodeName(m_traceFolder.filePath(QStringLiteral("trace.txt"))));
}

KovraMisDoubleSetup::~KovraMisDoubleSetup()
{
    clearScript();
    qunsetenv("KOVRAMIS_DOUBLE_TRACE");
}

bool KovraMisDoubleSetup::isValid() const
{
    return m_settingsFolder.isValid() && m_traceFolder.isValid();
}

void KovraMisDoubleSetup::writeConfig(Library library, const QByteArray& settingsLines) const
{
    // Written through QSettings, whose in-process cache of the file could
    // otherwise miss a rewrite of the same size within the same moment.
    QSettings settings(m_settingsFolder.absolutePath(kConfigName), QSettings::IniFormat);
    settings.clear();
    settings.beginGroup(QStringLiteral("POS_INFO"));
    settings.setValue(QStringLiteral("DllName"), settingsNameOf(libraryPath(library)));
    for (const QByteArray& line : settingsLines.split('\n')) {
        const int equals = line.indexOf('=');
        if (equals > 0)
            settings.setValue(QString::fromUtf8(line.left(equals)), QString::fromUtf8(line.mid(equals + 1)));
    }
    settings.endGroup();
    settings.sync();
}

std::unique_ptr<MisServiceForKovra> KovraMisDoubleSetup::makeService() const
{
    return std::make_unique<MisServiceForKovra>(m_settingsFolder.relativeName(kConfigName));
}

QString KovraMisDoubleSetup::libraryPath(Library library) const
{
    switch (library) {
    case Library::Full:
        return QStringLiteral(KOVRAMIS_DOUBLE_FILE);
    case Library::Partial:
        return QStringLiteral(KOVRAMIS_DOUBLE_PARTIAL_FILE);
    case Library::Missing:
        break;
    }
    return m_settingsFolder.absolutePath(QStringLiteral("libnosuchlibrary.so"));
}

void KovraMisDoubleSetup::scriptResult(int code, const QByteArray& text) const
{
    qputenv("KOVRAMIS_DOUBLE_RESULT_CODE", QByteArray::number(code));
    qputenv("KOVRAMIS_DOUBLE_RESULT_TEXT", text);
}

void KovraMisDoubleSetup::scriptHandshake(int result) const
{
    qputenv("KOVRAMIS_DOUBLE_HANDSHAKE_RESULT", QByteArray::number(result));
}

void KovraMisDoubleSetup::scriptStartDelay(int milliseconds) const
{
    qputenv("KOVRAMIS_DOUBLE_START_DELAY_MS", QByteArray::number(milliseconds));
}

QStringList KovraMisDoubleSetup::trace() const
{
    QFile file(m_traceFolder.filePath(QStringLiteral("trace.txt")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void KovraMisDoubleSetup::clearTrace() const
{
    QFile::remove(m_traceFolder.filePath(QStringLiteral("trace.txt")));
}

HttpResponse sendToService(
    MisServiceForKovra& service, const QString& path, const QByteArray& body, const QString& method)
{
    HttpRequest request;
    request.setMethod(method);
    request.setUrl(QUrl(path));
    request.setVersion(QStringLiteral("HTTP/1.1"));
    request.setBody(QString::fromUtf8(body));
    HttpResponse response(&request);
    service.handle(&request, &response);
    return response;
}
