#include "misserviceforkovra.h"

#include "answerobject.h"
#include "httpmethodflag.h"
#include "httprequest.h"
#include "httpresponse.h"
#include "librarypath.h"
#include "misrequesttimestamp.h"

#include <QByteArrayList>
#include <QDebug>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QLibrary>
#include <QMutexLocker>
#include <QRegExp>

#include <algorithm>

namespace
{

enum CommuMode { SerialMode = 0, TcpMode = 1 };

QString missingFieldMessage(const QString& field)
{
    return QStringLiteral("缺少%1字段").arg(field);
}

// The parse error of text as a JSON document, or an empty text when it parsed.
QString jsonErrorOf(const QByteArray& text, QJsonDocument& document)
{
    QJsonParseError error;
    document = QJsonDocument::fromJson(text, &error);
    if (document.isNull() || error.error != QJsonParseError::NoError)
        return error.errorString();
    return QString();
}

template <typename Function>
void resolveInto(QLibrary& library, const char* name, Function& entry, QByteArrayList& missing)
{
    entry = reinterpret_cast<Function>(library.resolve(name));
    if (!entry)
        missing << name;
}

} // namespace

MisServiceForKovra* MisServiceForKovra::instance()
{
    static MisServiceForKovra* const service = new MisServiceForKovra;
    return service;
}

MisServiceForKovra::MisServiceForKovra(const QString& configFile)
    : m_config(configFile)
{
    loadLibrary();
}

bool MisServiceForKovra::handle(HttpRequest* request, HttpResponse* response)
{
    logMisRequestTimestamp();
    for (const char* header : { "Access-Control-Allow-Origin", "Access-Control-Allow-Methods",
             "Access-Control-Allow-Headers", "Access-Control-Request-Headers" })
        response->setHeader(QString::fromLatin1(header), QStringLiteral("*"));
    return DefaultHttpServer::handle(request, response);
}

const QList<RouteEntry>& MisServiceForKovra::routes()
{
    using Self = MisServiceForKovra;
    const auto entry = [](const char* path, int methods, bool (Self::*handler)(HttpRequest*, HttpResponse*)) {
        return RouteEntry { QStringLiteral("/kovra") + QString::fromLatin1(path), methods,
            static_cast<RouteEntry::Handler>(handler) };
    };
    const int getOrPost = HTTP_GET | HTTP_POST;
    static const QList<RouteEntry> table {
        entry("/handshake/", getOrPost, &Self::trans_handshake),
        entry("/pay/", getOrPost, &Self::trans_pay),
        entry("/cardpay/", getOrPost, &Self::trans_card_pay),
        entry("/cardrevoke/", getOrPost, &Self::trans_card_revoke),
        entry("/qrpay/", getOrPost, &Self::trans_qr_pay),
        entry("/qrrevoke/", getOrPost, &Self::trans_qr_revoke),
        entry("/qrquery/", getOrPost, &Self::trans_qr_query),
        entry("/confirm/", getOrPost, &Self::trans_confirm),
        entry("/reprint/", getOrPost, &Self::trans_reprint),
        entry("/sign/", getOrPost, &Self::trans_sign),
        entry("/settle/", getOrPost, &Self::trans_settle),
        entry("/printcount/", getOrPost, &Self::trans_print_count),
        entry("/balance/", getOrPost, &Self::trans_balance),
        entry("/.*", HTTP_OPTIONS, &Self::preflight),
    };
    return table;
}

bool MisServiceForKovra::preflight(HttpRequest*, HttpResponse* response)
{
    response->setStatus(200, QString());
    response->setJson(QStringLiteral("ok"));
    return false;
}

bool MisServiceForKovra::trans_handshake(HttpRequest*, HttpResponse* response)
{
    QMutexLocker lock(&m_mutex);
    AnswerObject answer(QStringLiteral("00"), QStringLiteral("succeed"));
    try {
        if (!doHandShake || !communicationResolved()) {
            answer.setFailure(QStringLiteral("04"), QStringLiteral("不支持连接测试"));
            answer.writeTo(response, true);
            return false;
        }
        initTrans();
        if (doHandShake() != 0)
            answer.setFailure(QStringLiteral("04"), QStringLiteral("failed"));
        answer.writeTo(response, false);
    } catch (...) {
        answer.setFailure(QStringLiteral("03"), QStringLiteral("内部处理异常"));
        answer.writeTo(response, true);
    }
    return false;
}

bool MisServiceForKovra::trans_pay(HttpRequest* request, HttpResponse* response)
{
    return runTransaction(1, request, response, { "amount", "misTraceNo" }, { "billInfo" });
}

bool MisServiceForKovra::trans_card_pay(HttpRequest* request, HttpResponse* response)
{
    return runTransaction(
        1, request, response, { "amount", "misTraceNo" }, { "cardNo", "expDate", "billInfo" });
}

bool MisServiceForKovra::trans_card_revoke(HttpRequest* request, HttpResponse* response)
{
    return runTransaction(2, request, response, { "misTraceNo", "referenceNum" },
        { "amount", "orgTranDate", "orgTermNo", "billInfo", "cardNo", "expDate" });
}

bool MisServiceForKovra::trans_qr_pay(HttpRequest* request, HttpResponse* response)
{
    return runTransaction(3, request, response, { "misTraceNo", "preInputItem" }, { "tranDate", "billInfo" });
}

bool MisServiceForKovra::trans_qr_revoke(HttpRequest* request, HttpResponse* response)
{
    return runTransaction(
        4, request, response, { "misTraceNo", "preInputItem" }, { "orgTranDate", "billInfo" });
}

bool MisServiceForKovra::trans_qr_query(HttpRequest* request, HttpResponse* response)
{
    return runTransaction(8, request, response, { "misTraceNo" }, { "preInputItem", "tranDate", "billInfo" });
}

bool MisServiceForKovra::trans_sign(HttpRequest* request, HttpResponse* response)
{
    return runTransaction(5, request, response, { "misTraceNo" }, {});
}

bool MisServiceForKovra::trans_settle(HttpRequest* request, HttpResponse* response)
{
    return runTransaction(6, request, response, { "misTraceNo" }, {});
}

bool MisServiceForKovra::trans_balance(HttpRequest* request, HttpResponse* response)
{
    return runTransaction(7, request, response, { "misTraceNo" }, {});
}

bool MisServiceForKovra::trans_reprint(HttpRequest* request, HttpResponse* response)
{
    return runTransaction(9, request, response, { "misTraceNo" }, { "referenceNum" });
}

bool MisServiceForKovra::trans_print_count(HttpRequest* request, HttpResponse* response)
{
    return runTransaction(10, request, response, {}, { "misTraceNo" });
}

bool MisServiceForKovra::trans_confirm(HttpRequest* request, HttpResponse* response)
{
    return runTransaction(11, request, response, {}, {});
}

bool MisServiceForKovra::runTransaction(int type, HttpRequest* request, HttpResponse* response,
    const QStringList& required, const QStringList& optional)
{
    QMutexLocker lock(&m_mutex);
    AnswerObject answer;
    try {
        // The body goes to the parser as UTF-8, so every member reaches the
        // library with its characters intact.
        QJsonDocument document;
        const QString parseError = jsonErrorOf(request->body().toUtf8(), document);
        if (!parseError.isEmpty()) {
            qDebug().noquote() << parseError;
            answer.setFailure(QStringLiteral("01"), parseError);
            answer.writeTo(response, true);
            return false;
        }
        if (!transactionResolved(required + optional)) {
            answer.setFailure(QStringLiteral("02"), QStringLiteral("动态库未加载"));
            answer.writeTo(response, true);
            return false;
        }
        const QJsonObject object = document.object();
        initTrans();
        setTransType(type);
        if (!setFields(object, answer, required, true)) {
            answer.writeTo(response, true);
            return false;
        }
        setFields(object, answer, optional, false);
        startTrans();
        const int code = getTransResultCode();
        const QString text = transResultText();
        qDebug().noquote() << "retCode:" << code << " message:" << text;
        if (code == 0) {
            answer.insert(QStringLiteral("rspData"), text);
            addQrcodeOrder(answer);
        } else {
            answer.setFailure(QStringLiteral("02"), QStringLiteral("%1-%2").arg(QString::number(code), text));
        }
        answer.writeTo(response, false);
    } catch (...) {
        qDebug() << "trans_card_revoke 解析请求参数异常.";
        answer.setFailure(QStringLiteral("01"), QStringLiteral("解析请求参数异常"));
        answer.writeTo(response, true);
    }
    return false;
}

bool MisServiceForKovra::setFields(
    const QJsonObject& object, AnswerObject& answer, const QStringList& fields, bool required)
{
    for (const QString& field : fields) {
        const TextSetter setter = setterOf(field);
        if (!setter)
            continue;
        const auto member = object.constFind(field);
        if (member == object.constEnd() && required) {
            answer.setFailure(QStringLiteral("01"), missingFieldMessage(field));
            return false;
        }
        // Absent members and members that are not strings go as empty text.
        const QByteArray value
            = member == object.constEnd() ? QByteArray() : member.value().toString().toUtf8();
        (this->*setter)(value.constData());
    }
    return true;
}

void MisServiceForKovra::addQrcodeOrder(AnswerObject& answer)
{
    const QString rspData = answer.text(QStringLiteral("rspData"));
    if (rspData.isEmpty())
        return;
    QRegExp label(QStringLiteral("二维码订单号：[\\D]*(\\d+)"));
    if (label.indexIn(rspData) < 0)
        return;
    QJsonDocument document;
    const QString parseError = jsonErrorOf(rspData.toUtf8(), document);
    if (!parseError.isEmpty()) {
        qDebug().noquote() << parseError;
        return;
    }
    // Only an object can take the order number; anything else is kept as it came.
    if (!document.isObject())
        return;
    QJsonObject result = document.object();
    result.insert(QStringLiteral("qrcodeOrder"), label.cap(1));
    answer.insert(
        QStringLiteral("rspData"), QString::fromUtf8(QJsonDocument(result).toJson(QJsonDocument::Compact)));
}

void MisServiceForKovra::initTrans()
{
    initTransaction();
    qDebug().noquote() << "initTrans:" + m_config.toString();
    setCommuMode(m_config.m_commuMode);
    if (m_config.m_commuMode == SerialMode)
        setRS232Parameter(m_config.m_comPort, m_config.m_comBaud);
    else if (m_config.m_commuMode == TcpMode)
        setEhernetParameter(m_config.m_hostIP.toUtf8().constData(), m_config.m_hostPort);
    setTimeout(m_config.m_timout);
}

bool MisServiceForKovra::reloadConfig()
{
    QMutexLocker lock(&m_mutex);
    return m_config.reload();
}

bool MisServiceForKovra::loadLibrary()
{
    const QString path = resolveLibraryPath(m_config.m_dllFile);
    QLibrary library(path);
    if (!library.load()) {
        qDebug().noquote() << "loadLibrary " + path + " failed.";
        return false;
    }
    QByteArrayList missing;
    resolveInto(library, "initTransaction", initTransaction, missing);
    resolveInto(library, "startTrans", startTrans, missing);
    resolveInto(library, "setCommuMode", setCommuMode, missing);
    resolveInto(library, "setRS232Parameter", setRS232Parameter, missing);
    resolveInto(library, "setEhernetParameter", setEhernetParameter, missing);
    resolveInto(library, "setTimeout", setTimeout, missing);
    resolveInto(library, "setTransType", setTransType, missing);
    resolveInto(library, "setTransAmount", setTransAmount, missing);
    resolveInto(library, "setReferenceNum", setReferenceNum, missing);
    resolveInto(library, "setCardNo", setCardNo, missing);
    resolveInto(library, "setExpDate", setExpDate, missing);
    resolveInto(library, "setTranDate", setTranDate, missing);
    resolveInto(library, "setOrgTranDate", setOrgTranDate, missing);
    resolveInto(library, "setMisTraceNo", setMisTraceNo, missing);
    resolveInto(library, "setPreInputItem", setPreInputItem, missing);
    resolveInto(library, "setFixInputItem", setFixInputItem, missing);
    resolveInto(library, "setOrgTermNo", setOrgTermNo, missing);
    resolveInto(library, "getTransResultCode", getTransResultCode, missing);
    resolveInto(library, "getTransResultString", getTransResultString, missing);
    resolveInto(library, "GetTransResultString", GetTransResultString, missing);
    resolveInto(library, "setBillInfo", setBillInfo, missing);
    resolveInto(library, "doHandShake", doHandShake, missing);
    std::sort(missing.begin(), missing.end());
    for (const QByteArray& name : qAsConst(missing))
        qDebug().noquote() << "loadLibrary not fount " + QString::fromLatin1(name);
    // The library stays loaded when `library` goes out of scope.
    return true;
}

MisServiceForKovra::TextSetter MisServiceForKovra::setterOf(const QString& field)
{
    static const QHash<QString, TextSetter> setters {
        { QStringLiteral("amount"), &MisServiceForKovra::setTransAmount },
        { QStringLiteral("misTraceNo"), &MisServiceForKovra::setMisTraceNo },
        { QStringLiteral("cardNo"), &MisServiceForKovra::setCardNo },
        { QStringLiteral("expDate"), &MisServiceForKovra::setExpDate },
        { QStringLiteral("referenceNum"), &MisServiceForKovra::setReferenceNum },
        { QStringLiteral("orgTermNo"), &MisServiceForKovra::setOrgTermNo },
        { QStringLiteral("orgTranDate"), &MisServiceForKovra::setOrgTranDate },
        { QStringLiteral("billInfo"), &MisServiceForKovra::setBillInfo },
        { QStringLiteral("preInputItem"), &MisServiceForKovra::setPreInputItem },
        { QStringLiteral("tranDate"), &MisServiceForKovra::setTranDate },
    };
    return setters.value(field, nullptr);
}

bool MisServiceForKovra::communicationResolved() const
{
    if (!initTransaction || !setCommuMode || !setTimeout)
        return false;
    if (m_config.m_commuMode == SerialMode)
        return setRS232Parameter != nullptr;
    if (m_config.m_commuMode == TcpMode)
        return setEhernetParameter != nullptr;
    return true;
}

bool MisServiceForKovra::transactionResolved(const QStringList& fields) const
{
    if (!communicationResolved() || !setTransType || !startTrans || !getTransResultCode
        || !GetTransResultString)
        return false;
    return std::all_of(fields.cbegin(), fields.cend(), [this](const QString& field) {
        const TextSetter setter = setterOf(field);
        return !setter || this->*setter;
    });
}

QString MisServiceForKovra::transResultText() const
{
    char buffer[kovraMisResultBufferSize] = {};
    GetTransResultString(buffer);
    // Read up to the first NUL, and never past the buffer.
    return QString::fromUtf8(buffer, static_cast<int>(qstrnlen(buffer, sizeof buffer)));
}
