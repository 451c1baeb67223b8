// Median time of one v2 sign-on through the program's HTTP server, beside the same
// transaction through the library called directly and the bare exchange with
// terminal-sim, interleaved in one run. The difference between the first two is what
// the service adds. Messages go to the program's daily log, as in the program,
// unless "--log-off" is given.
// Usage: v2service-signon-bench [count] [--log-off]
#include "logmessagehandler.h"
#include "loopbackclients.h"
#include "misserviceforkovrav2.h"
#include "simprocess.h"
#include "v2programfolder.h"
#include "v2testserver.h"
#include "zelkamisdll.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLibrary>
#include <QMetaObject>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <thread>
#include <vector>

namespace
{

using Clock = std::chrono::steady_clock;

const char signOn[] = R"({"CMD":"LOGON","EXT_ORDER_NO":"1"})";

struct Series {
    const char* name;
    std::function<bool()> run;
    std::vector<double> millis;

    double median()
    {
        std::sort(millis.begin(), millis.end());
        return millis[millis.size() / 2];
    }
};

} // namespace

int main(int argc, char** argv)
{
    int count = 200;
    bool logOn = true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--log-off") == 0)
            logOn = false;
        else
            count = std::max(1, std::atoi(argv[i]));
    }
    // With the log off the program's handler returns at once; so does this one.
    qInstallMessageHandler(
        logOn ? logMessageHandler : [](QtMsgType, const QMessageLogContext&, const QString&) {});
    QCoreApplication app(argc, argv);

    SimProcess sim(TERMINAL_SIM_EXECUTABLE, {});
    V2ProgramFolder folder;
    const QString library = folder.installLibrary(ZELKAMISDLL_LIBRARY, QStringLiteral("libzelkamisdll.so"));
    folder.writeTerminalSettings(QStringLiteral("."), sim.port(), 5);
    folder.writeCommunicationConfig({ { "DllNameV2", "./libzelkamisdll.so" }, { "CommunityType", "1" },
        { "Ip", "127.0.0.1" }, { "Port", QString::number(sim.port()) }, { "TransTimeout", "5" } });
    MisServiceForKovraV2 service(folder.path());
    V2TestServer server(&service);
    // The copy the service loaded; calls never overlap here, one series runs at a time.
    const auto doTransaction
        = reinterpret_cast<int (*)(const char*, char*)>(QLibrary(library).resolve("doTransaction"));
    if (!server.isListening() || !doTransaction) {
        std::fprintf(stderr, "set-up failed\n");
        return 1;
    }
    std::vector<char> result(ZELKAMIS_RESULT_CAPACITY);

    const int httpPort = server.serverPort();
    Series series[] = {
        { "HTTP /kovra/v2/sign/",
            [httpPort] {
                const std::string body = postOverHttp(httpPort, "/kovra/v2/sign/", signOn);
                return body.rfind(R"({"code":"00")", 0) == 0;
            },
            {} },
        { "library doTransaction", [&] { return doTransaction(signOn, result.data()) == 0; }, {} },
        { "terminal-sim exchange", [&sim] { return exchangeWithTerminal(sim.port(), signOn); }, {} },
    };
    // The server needs the main thread's event loop; the clients block in their own.
    int exitCode = 0;
    std::thread clients([&] {
        for (int i = -10; i < count && exitCode == 0; ++i) {
            for (Series& s : series) {
                const auto begin = Clock::now();
                if (!s.run()) {
                    std::fprintf(stderr, "%s failed\n", s.name);
                    exitCode = 1;
                    break;
                }
                if (i >= 0)
                    s.millis.push_back(
                        std::chrono::duration<double, std::milli>(Clock::now() - begin).count());
            }
        }
        QMetaObject::invokeMethod(&app, &QCoreApplication::quit, Qt::QueuedConnection);
    });
    app.exec();
    clients.join();
    if (exitCode != 0)
        return exitCode;

    std::printf("v2 sign-on, median of %d:\n", count);
    for (Series& s : series)
        std::printf("  %-24s %8.3f ms\n", s.name, s.median());
    std::printf("  %-24s %8.3f ms\n", "added by the service", series[0].median() - series[1].median());
    return 0;
}
