#pragma once

#include <QString>
#include <QtGlobal>

// The program's message handler: every message of the process goes to the
// day's file in "./logs" beside the program, while the log switch is on.
// Install it with qInstallMessageHandler before the application object exists.
void logMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message);
