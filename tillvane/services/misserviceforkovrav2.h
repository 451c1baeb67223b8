#pragma once

#include "defaulthttpserver.h"
#include "misdllconfig.h"

#include <QJsonObject>
#include <QRecursiveMutex>
#include <QString>

// The payment service under "/kovra/v2": every path hands the request body to
// the terminal library's doTransaction and answers with the library's result.
// One object per process, created on first demand and never destroyed. The
// library is loaded once, when the object is built, and never unloaded.
//
// Every call into the library (transactions, the communication set-up, the
// loading) runs under one lock, so callers on any thread need nothing.
class MisServiceForKovraV2 : public DefaultHttpServer
{
public:
    static MisServiceForKovraV2* instance();

    // The service of a program whose files live in programDir:
    // CommunicationConfig.ini, the library named by DllNameV2 and "logs/".
    explicit MisServiceForKovraV2(const QString& programDir);
    ~MisServiceForKovraV2() override;
    MisServiceForKovraV2(const MisServiceForKovraV2&) = delete;
    MisServiceForKovraV2& operator=(const MisServiceForKovraV2&) = delete;

    // Sets the cross-origin headers, then dispatches by routes().
    bool handle(HttpRequest* request, HttpResponse* response) override;
    const QList<RouteEntry>& routes() override;

    virtual bool trans_card_pay(HttpRequest* request, HttpResponse* response);
    virtual bool trans_card_revoke(HttpRequest* request, HttpResponse* response);
    virtual bool trans_qr_pay(HttpRequest* request, HttpResponse* response);
    virtual bool trans_qr_revoke(HttpRequest* request, HttpResponse* response);
    virtual bool trans_qr_query(HttpRequest* request, HttpResponse* response);
    // Runs the transaction only for a body whose "CMD" is "LOGON".
    virtual bool trans_sign(HttpRequest* request, HttpResponse* response);
    virtual bool trans_settle(HttpRequest* request, HttpResponse* response);
    virtual bool trans_balance(HttpRequest* request, HttpResponse* response);
    virtual bool trans_reprint(HttpRequest* request, HttpResponse* response);
    virtual bool trans_print_count(HttpRequest* request, HttpResponse* response);
    virtual bool trans_confirm(HttpRequest* request, HttpResponse* response);

    // One transaction: the body goes to doTransaction as its UTF-8 bytes; the
    // answer is {"code":"00","msg":"success","rspData":<the library's text>}
    // or "code" "02" with the message of the library's result code.
    bool do_trans(HttpRequest* request, HttpResponse* response);

    // Reads CommunicationConfig.ini again (after the settings window saved it).
    bool reloadConfig();
    // Hands the character set, the link of the configured mode and the
    // time-out to the library.
    void initTrans();
    // Loads the library named by DllNameV2 and resolves its entry points; a
    // missing file or export is logged and its entry point stays null.
    bool loadLibrary();

    // The text for a result code of the library.
    static QString resultMessage(int code);
    // The body as a JSON object; empty when it is not one.
    static QJsonObject requestObject(HttpRequest* request);
    // Whether the body's "CMD" is exactly command.
    static bool checkCmd(HttpRequest* request, const QString& command);

private:
    bool preflight(HttpRequest* request, HttpResponse* response);
    void answerFailure(HttpResponse* response, int code);

    // The library's exports, as its public header declares them.
    using GetVersionFn = const char* (*)();
    using SetDirFn = void (*)(const char*);
    using SetTextFn = int (*)(const char*);
    using SetEthernetFn = int (*)(const char*, int);
    using SetTimeoutFn = int (*)(int);
    using SetOtherFn = int (*)(const char*, const char*);
    using DoTransactionFn = int (*)(const char*, char*);

    GetVersionFn getVersion = nullptr;
    SetDirFn setPath = nullptr;
    SetDirFn setLogPath = nullptr;
    SetTextFn setCOM = nullptr;
    SetEthernetFn setEthernet = nullptr;
    SetTextFn setBluetooth = nullptr;
    SetTextFn setCharset = nullptr;
    SetTimeoutFn setTimeout = nullptr;
    SetOtherFn setOther = nullptr;
    DoTransactionFn doTransaction = nullptr;

    const QString m_programDir;
    MisDllConfig m_config;
    QRecursiveMutex m_libraryMutex;
};
