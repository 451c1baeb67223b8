#include "logmessagehandler.h"

#include "logwriter.h"
#include "resolveconfigpath.h"
#include "savelogsetting.h"

#include <QCoreApplication>

namespace {

// Until the application object exists the program's directory is unknown,
// and the lines go to stderr.
QString programLogDirectory()
{
    if (!QCoreApplication::instance())
        return QString();
    return resolveConfigPath(QStringLiteral("./logs"));
}

LogWriter& processLogWriter()
{
    static LogWriter writer([] { return SaveLogSetting::instance().saveLog(); },
                            programLogDirectory, &QDateTime::currentDateTime);
    return writer;
}

} // namespace

void logMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    processLogWriter().write(type, context, message);
}
