#include "misserviceforkovrav2.h"

#include "answerobject.h"
#include "httpmethodflag.h"
#include "httprequest.h"
#include "httpresponse.h"
#include "librarypath.h"
#include "misrequesttimestamp.h"
#include "utf8text.h"
#include "zelkamisdll.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QHash>
#include <QJsonDocument>
#include <QLibrary>
#include <QMutexLocker>

#include <type_traits>

namespace
{

// Answered when the library or its doTransaction could not be loaded.
constexpr int kLibraryNotLoaded = -999;

MisDllConfig communicationConfigIn(const QString& dir)
{
    return MisDllConfig::fromPath(QDir(dir).filePath(QStringLiteral("CommunicationConfig.ini")));
}

QByteArray requestBytes(HttpRequest* request)
{
    return request->body().toUtf8();
}

RouteEntry route(
    const char* path, int methods, bool (MisServiceForKovraV2::*handler)(HttpRequest*, HttpResponse*))
{
    return { QStringLiteral("/kovra/v2") + QLatin1String(path), methods,
        static_cast<RouteEntry::Handler>(handler) };
}

} // namespace

MisServiceForKovraV2* MisServiceForKovraV2::instance()
{
    static MisServiceForKovraV2* const service
        = new MisServiceForKovraV2(QCoreApplication::applicationDirPath());
    return service;
}

MisServiceForKovraV2::MisServiceForKovraV2(const QString& programDir)
    : m_programDir(programDir)
    , m_config(communicationConfigIn(programDir))
{
    loadLibrary();
    initTrans();
}

MisServiceForKovraV2::~MisServiceForKovraV2() = default;

bool MisServiceForKovraV2::handle(HttpRequest* request, HttpResponse* response)
{
    logMisRequestTimestamp();
    const QHash<QString, QString>& headers = request->headers();
    const QString origin = headers.value(QStringLiteral("Origin"));
    response->setHeader(
        QStringLiteral("Access-Control-Allow-Origin"), origin.isEmpty() ? QStringLiteral("*") : origin);
    const QString requestedHeaders = headers.value(QStringLiteral("Access-Control-Request-Headers"));
    response->setHeader(QStringLiteral("Access-Control-Allow-Headers"), requestedHeaders);
    response->setHeader(QStringLiteral("Access-Control-Expose-Headers"), requestedHeaders);
    response->setHeader(QStringLiteral("Access-Control-Allow-Methods"), QStringLiteral("*"));
    response->setHeader(QStringLiteral("Access-Control-Request-Headers"), QStringLiteral("*"));
    return DefaultHttpServer::handle(request, response);
}

const QList<RouteEntry>& MisServiceForKovraV2::routes()
{
    static const QList<RouteEntry> table {
        route("/dotrans/", HTTP_GET | HTTP_POST, &MisServiceForKovraV2::do_trans),
        route("/cardpay/", HTTP_GET | HTTP_POST, &MisServiceForKovraV2::trans_card_pay),
        route("/cardrevoke/", HTTP_GET | HTTP_POST, &MisServiceForKovraV2::trans_card_revoke),
        route("/qrpay/", HTTP_GET | HTTP_POST, &MisServiceForKovraV2::trans_qr_pay),
        route("/qrrevoke/", HTTP_GET | HTTP_POST, &MisServiceForKovraV2::trans_qr_revoke),
        route("/qrquery/", HTTP_GET | HTTP_POST, &MisServiceForKovraV2::trans_qr_query),
        route("/confirm/", HTTP_GET | HTTP_POST, &MisServiceForKovraV2::trans_confirm),
        route("/reprint/", HTTP_GET | HTTP_POST, &MisServiceForKovraV2::trans_reprint),
        route("/sign/", HTTP_GET | HTTP_POST, &MisServiceForKovraV2::trans_sign),
        route("/settle/", HTTP_GET | HTTP_POST, &MisServiceForKovraV2::trans_settle),
        route("/printcount/", HTTP_GET | HTTP_POST, &MisServiceForKovraV2::trans_print_count),
        route("/balance/", HTTP_GET | HTTP_POST, &MisServiceForKovraV2::trans_balance),
        route("/.*", HTTP_OPTIONS, &MisServiceForKovraV2::preflight),
    };
    return table;
}

bool MisServiceForKovraV2::trans_card_pay(HttpRequest* request, HttpResponse* response)
{
    return do_trans(request, response);
}

bool MisServiceForKovraV2::trans_card_revoke(HttpRequest* request, HttpResponse* response)
{
    return do_trans(request, response);
}

bool MisServiceForKovraV2::trans_qr_pay(HttpRequest* request, HttpResponse* response)
{
    return do_trans(request, response);
}

bool MisServiceForKovraV2::trans_qr_revoke(HttpRequest* request, HttpResponse* response)
{
    return do_trans(request, response);
}

bool MisServiceForKovraV2::trans_qr_query(HttpRequest* request, HttpResponse* response)
{
    return do_trans(request, response);
}

bool MisServiceForKovraV2::trans_sign(HttpRequest* request, HttpResponse* response)
{
    if (checkCmd(request, QStringLiteral("LOGON")))
        return do_trans(request, response);
    AnswerObject(QStringLiteral("01"), QStringLiteral("交易类型错误")).writeTo(response, true);
    return false;
}

bool MisServiceForKovraV2::trans_settle(HttpRequest* request, HttpResponse* response)
{
    return do_trans(request, response);
}

bool MisServiceForKovraV2::trans_balance(HttpRequest* request, HttpResponse* response)
{
    return do_trans(request, response);
}

bool MisServiceForKovraV2::trans_reprint(HttpRequest* request, HttpResponse* response)
{
    return do_trans(request, response);
}

bool MisServiceForKovraV2::trans_print_count(HttpRequest* request, HttpResponse* response)
{
    return do_trans(request, response);
}

bool MisServiceForKovraV2::trans_confirm(HttpRequest* request, HttpResponse* response)
{
    return do_trans(request, response);
}

bool MisServiceForKovraV2::do_trans(HttpRequest* request, HttpResponse* response)
{
    AnswerObject answer;
    try {
        // Room for the longest answer the library can hand back, in any charset.
        QByteArray result(ZELKAMIS_RESULT_CAPACITY, '\0');
        const QByteArray text = requestBytes(request);
        int code = kLibraryNotLoaded;
        {
            QMutexLocker lock(&m_libraryMutex);
            if (doTransaction)
                code = doTransaction(text.constData(), result.data());
        }
        if (code == 0) {
            const QString rspData = utf8UpToZero(result);
            qDebug().noquote() << "retCode:" << code << ", message:" << rspData;
            answer.insert(QStringLiteral("rspData"), rspData);
            answer.writeTo(response, false);
        } else {
            const QString message = resultMessage(code);
            answer.setFailure(QStringLiteral("02"), message);
            qDebug().noquote() << message;
            answer.writeTo(response, true);
        }
    } catch (...) {
        qDebug() << "trans_card_revoke 解析请求参数异常.";
        answer.setFailure(QStringLiteral("01"), QStringLiteral("解析请求参数异常"));
        answer.writeTo(response, true);
    }
    return false;
}

bool MisServiceForKovraV2::preflight(HttpRequest*, HttpResponse* response)
{
    response->setStatus(200, QString());
    return false;
}

bool MisServiceForKovraV2::reloadConfig()
{
    QMutexLocker lock(&m_libraryMutex);
    return m_config.reload();
}

void MisServiceForKovraV2::initTrans()
{
    QMutexLocker lock(&m_libraryMutex);
    qDebug().noquote() << "initTrans:" << m_config.toString();
    if (setCharset)
        setCharset("utf-8");

    bool applied = false;
    int result = -1;
    switch (m_config.m_commuMode) {
    case 0:
        if (setCOM) {
            result = setCOM(QStringLiteral("COM%1").arg(m_config.m_comPort).toLocal8Bit().constData());
            applied = true;
            qDebug() << "dllv2 setCOM:" << m_config.m_comPort << "result=" << result;
        }
        break;
    case 1:
        if (setEthernet) {
            result = setEthernet(m_config.m_hostIP.toLocal8Bit().constData(), m_config.m_hostPort);
            applied = true;
            qDebug().noquote().nospace() << "dllv2 setEthernet " << m_config.m_hostIP << ":"
                                         << m_config.m_hostPort << " result=" << result;
        }
        break;
    case 2:
        if (setBluetooth) {
            result = setBluetooth(m_config.m_btMac.toLocal8Bit().constData());
            applied = true;
            qDebug().noquote().nospace() << "dllv2 setBluetooth " << m_config.m_btMac << " result=" << result;
        }
        break;
    default:
        break;
    }

    if (applied && result == 0 && setTimeout) {
        setTimeout(m_config.m_timout);
        return;
    }
    qDebug() << "dllv2 初始化通讯参数失败";
}

bool MisServiceForKovraV2::loadLibrary()
{
    static_assert(std::is_same_v<GetVersionFn, decltype(&::getVersion)>);
    static_assert(std::is_same_v<SetDirFn, decltype(&::setPath)>);
    static_assert(std::is_same_v<SetTextFn, decltype(&::setCOM)>);
    static_assert(std::is_same_v<SetEthernetFn, decltype(&::setEthernet)>);
    static_assert(std::is_same_v<SetTimeoutFn, decltype(&::setTimeout)>);
    static_assert(std::is_same_v<SetOtherFn, decltype(&::setOther)>);
    static_assert(std::is_same_v<DoTransactionFn, decltype(&::doTransaction)>);

    QMutexLocker lock(&m_libraryMutex);
    getVersion = nullptr;
    setPath = setLogPath = nullptr;
    setCOM = setBluetooth = setCharset = nullptr;
    setEthernet = nullptr;
    setTimeout = nullptr;
    setOther = nullptr;
    doTransaction = nullptr;

    const QString path = resolveLibraryPath(m_config.m_dllFile2, m_programDir);
    // Released without unloading: the library stays until the process ends.
    QLibrary library(path);
    if (!library.load()) {
        qDebug().noquote() << "loadLibrary " + path + " failed.";
        return false;
    }

    const auto resolve = [&library](auto& entry, const char* name) {
        entry = reinterpret_cast<std::remove_reference_t<decltype(entry)>>(library.resolve(name));
        if (!entry)
            qDebug().noquote() << QStringLiteral("loadLibrary not fount %1()").arg(QLatin1String(name));
    };
    resolve(getVersion, "getVersion");
    resolve(setPath, "setPath");
    resolve(setLogPath, "setLogPath");
    resolve(setCOM, "setCOM");
    resolve(setEthernet, "setEthernet");
    resolve(setBluetooth, "setBluetooth");
    resolve(setCharset, "setCharset");
    resolve(setTimeout, "setTimeout");
    resolve(setOther, "setOther");
    resolve(doTransaction, "doTransaction");

    if (getVersion) {
        const char* version = getVersion();
        qDebug().noquote() << "当前mis动态库版本:" + QString::fromUtf8(version ? version : "");
    }
    qDebug().noquote() << "DllNameV2:" + path + "->" + m_config.m_dllFile2;

    const QString libraryDir = path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
    qDebug().noquote() << "zelkamisdll.dll 路径:" + libraryDir;
    if (setPath)
        setPath(libraryDir.toLatin1().constData());

    const QString logDir = resolveLibraryPath(QStringLiteral("./logs/"), m_programDir);
    qDebug().noquote() << "zelkamisdll.dll 日志路径:" + logDir;
    if (setLogPath)
        setLogPath(logDir.toLatin1().constData());
    return true;
}

QString MisServiceForKovraV2::resultMessage(int code)
{
    static const QHash<int, QString> messages {
        { 0, QStringLiteral("执行成功") },
        { -1, QStringLiteral("执行失败") },
        { -2, QStringLiteral("入参数据解析错") },
        { -3, QStringLiteral("打开通讯串口或者连接主机失败") },
        { -4, QStringLiteral("发送数据失败") },
        { -5, QStringLiteral("接收数据失败") },
        { -6, QStringLiteral("通信参数未初始化") },
        { -7, QStringLiteral("握手失败") },
        { -8, QStringLiteral("解析交易数据失败") },
        { -9, QStringLiteral("加载动态库文件失败") },
        { kLibraryNotLoaded, QStringLiteral("动态库未加载") },
    };
    return messages.value(code, QStringLiteral("%1:未定义的错误码").arg(code));
}

QJsonObject MisServiceForKovraV2::requestObject(HttpRequest* request)
{
    const QJsonDocument document = QJsonDocument::fromJson(requestBytes(request));
    return document.isObject() ? document.object() : QJsonObject();
}

bool MisServiceForKovraV2::checkCmd(HttpRequest* request, const QString& command)
{
    try {
        const QJsonObject object = requestObject(request);
        if (object.isEmpty() || !object.contains(QStringLiteral("CMD")))
            return false;
        return object.value(QStringLiteral("CMD")).toString() == command;
    } catch (...) {
        return false;
    }
}
