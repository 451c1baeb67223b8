#include <QtGlobal>

#ifdef Q_OS_UNIX

#include "quitonterminationsignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QtDebug>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The handler only writes one byte; the event loop reads it and quits.
int signalSockets[2] = {-1, -1};

void onTerminationSignal(int)
{
    const char byte = 1;
    if (::write(signalSockets[1], &byte, 1) < 0) {
        // Nothing can be done inside a signal handler; the signal is lost.
    }
}

void onSignalSocketReadable()
{
    char byte = 0;
    if (::read(signalSockets[0], &byte, 1) == 1)
        QCoreApplication::quit();
}

} // namespace

void quitOnTerminationSignals()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalSockets) != 0) {
        qWarning() << "termination signals keep their default action: no socket pair";
        return;
    }
    auto* notifier = new QSocketNotifier(signalSockets[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, &onSignalSocketReadable);

    struct sigaction action = {};
    action.sa_handler = &onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

#endif
