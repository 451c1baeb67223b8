#pragma once

#include "defaulthttpserver.h"
#include "kovramisapi.h"
#include "misdllconfig.h"

#include <QMutex>
#include <QStringList>

class AnswerObject;
class QJsonObject;

// The older payment service under "/kovra": one path per kind of
// transaction. It checks the members of the JSON body, hands them one by one
// to the setters of the outside transaction library, starts the transaction
// and turns the library's result code and text into the JSON answer.
//
// One object serves the HTTP connection thread and the settings window
// (connection test, reload after a save); a mutex keeps their calls into the
// library apart, so callers need no lock of their own. A call waits while
// another transaction runs, that is up to the library's time-out.
class MisServiceForKovra : public DefaultHttpServer
{
public:
    // The process-wide object, created on first demand and never destroyed.
    static MisServiceForKovra* instance();

    // Reads the communication settings from configFile (placed beside the
    // program) and loads the library they name, once for the object's life.
    explicit MisServiceForKovra(const QString& configFile = QStringLiteral("./CommunicationConfig.ini"));

    // Sets the cross-origin headers, then dispatches by routes().
    bool handle(HttpRequest* request, HttpResponse* response) override;
    const QList<RouteEntry>& routes() override;

    // Path handlers; each answers with status 200 and returns false, so the
    // connection writes the answer.
    virtual bool trans_handshake(HttpRequest* request, HttpResponse* response);
    virtual bool trans_pay(HttpRequest* request, HttpResponse* response);
    virtual bool trans_card_pay(HttpRequest* request, HttpResponse* response);
    virtual bool trans_card_revoke(HttpRequest* request, HttpResponse* response);
    virtual bool trans_qr_pay(HttpRequest* request, HttpResponse* response);
    virtual bool trans_qr_revoke(HttpRequest* request, HttpResponse* response);
    virtual bool trans_qr_query(HttpRequest* request, HttpResponse* response);
    virtual bool trans_sign(HttpRequest* request, HttpResponse* response);
    virtual bool trans_settle(HttpRequest* request, HttpResponse* response);
    virtual bool trans_balance(HttpRequest* request, HttpResponse* response);
    virtual bool trans_reprint(HttpRequest* request, HttpResponse* response);
    virtual bool trans_print_count(HttpRequest* request, HttpResponse* response);
    virtual bool trans_confirm(HttpRequest* request, HttpResponse* response);

    // Runs one transaction of the given type with the body's members: the
    // required ones must be present, the optional ones are passed as empty
    // text when absent. Returns false (the connection writes the answer).
    bool runTransaction(int type, HttpRequest* request, HttpResponse* response, const QStringList& required,
        const QStringList& optional);

    // Reads the communication settings file again; the next transaction or
    // handshake uses them. False when the file does not exist.
    bool reloadConfig();

private:
    using TextSetter = KovraMisTextArgFn MisServiceForKovra::*;

    bool preflight(HttpRequest* request, HttpResponse* response);
    bool setFields(const QJsonObject& object, AnswerObject& answer, const QStringList& fields, bool required);
    static void addQrcodeOrder(AnswerObject& answer);
    void initTrans();
    bool loadLibrary();

    // The member holding the setter of a body member; null for unknown names.
    static TextSetter setterOf(const QString& field);
    // Whether every function that initTrans calls for the configured mode was resolved.
    bool communicationResolved() const;
    // Whether every function of a transaction with these fields was resolved.
    bool transactionResolved(const QStringList& fields) const;
    QString transResultText() const;

    KovraMisVoidFn initTransaction = nullptr;
    KovraMisVoidFn startTrans = nullptr;
    KovraMisIntArgFn setCommuMode = nullptr;
    KovraMisRs232Fn setRS232Parameter = nullptr;
    KovraMisEthernetFn setEhernetParameter = nullptr;
    KovraMisIntArgFn setTimeout = nullptr;
    KovraMisIntArgFn setTransType = nullptr;
    KovraMisTextArgFn setTransAmount = nullptr;
    KovraMisTextArgFn setReferenceNum = nullptr;
    KovraMisTextArgFn setCardNo = nullptr;
    KovraMisTextArgFn setExpDate = nullptr;
    KovraMisTextArgFn setTranDate = nullptr;
    KovraMisTextArgFn setOrgTranDate = nullptr;
    KovraMisTextArgFn setMisTraceNo = nullptr;
    KovraMisTextArgFn setPreInputItem = nullptr;
    KovraMisTextArgFn setFixInputItem = nullptr;
    KovraMisTextArgFn setOrgTermNo = nullptr;
    KovraMisResultCodeFn getTransResultCode = nullptr;
    KovraMisResultTextFn getTransResultString = nullptr;
    KovraMisResultTextFn GetTransResultString = nullptr;
    KovraMisTextArgFn setBillInfo = nullptr;
    KovraMisHandShakeFn doHandShake = nullptr;

    MisDllConfig m_config;
    // Held for a whole transaction, handshake or reload.
    QMutex m_mutex;
};
