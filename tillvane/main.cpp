#include "logmessagehandler.h"
#include "quitonterminationsignals.h"
#include "startup.h"
#include "tillvanedialog.h"

#include <QAbstractSocket>
#include <QApplication>
#include <QFile>
#include <QThread>
#include <QtDebug>

namespace
{

// Without the style sheet the window still works, unstyled.
void applyStyleSheet(QApplication& app)
{
    QFile file(QStringLiteral(":/Ubuntu.qss"));
    if (file.open(QIODevice::ReadOnly))
        app.setStyleSheet(QString::fromUtf8(file.readAll()));
}

} // namespace

int main(int argc, char* argv[])
{
    // Socket errors cross threads in queued connections.
    qRegisterMetaType<QAbstractSocket::SocketError>("QAbstractSocket::SocketError");
    // Installed before the application object, so Qt's own start-up messages are logged too.
    qInstallMessageHandler(logMessageHandler);
    // The widgets paint without OpenGL; left to itself, the X11 platform loads
    // the system's OpenGL driver at start-up, which more than doubles the
    // program's resident memory. (Other platforms ignore the variable.)
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");

    QApplication app(argc, argv);
    Q_INIT_RESOURCE(resources);
    quitOnTerminationSignals();
    applyStyleSheet(app);

    TillvaneDialog dialog;
    dialog.setWindowFlags(Qt::CustomizeWindowHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    startUp(dialog);

    qDebug() << "main thread: " << QThread::currentThread() << " id:" << QThread::currentThreadId();
    return app.exec();
}
