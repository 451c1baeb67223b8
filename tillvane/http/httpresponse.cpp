#include "httpresponse.h"

#include "httprequest.h"
#include "statusreasontable.h"

HttpResponse::HttpResponse()
{
    m_headers.insert(QStringLiteral("Content-Length"), QStringLiteral("0"));
    m_reasonPhrase = statusReasonTable().value(m_statusCode);
}

HttpResponse::HttpResponse(HttpRequest* request)
    : HttpResponse()
{
    m_version = request->version();
}

int& HttpResponse::statusCode()
{
    return m_statusCode;
}

QString& HttpResponse::reasonPhrase()
{
    return m_reasonPhrase;
}

HttpResponse& HttpResponse::setStatus(int code, const QString& reason)
{
    m_statusCode = code;
    m_reasonPhrase = statusReasonTable().value(code, reason);
    return *this;
}

HttpResponse& HttpResponse::setContentType(const QString& type)
{
    return setHeader(QStringLiteral("Content-type"), type);
}

HttpResponse& HttpResponse::setHeaders(const QHash<QString, QString>& headers)
{
    m_headers = headers;
    return *this;
}

HttpResponse& HttpResponse::setHeader(const QString& name, const QString& value)
{
    m_headers.insert(name, value);
    return *this;
}

HttpResponse& HttpResponse::setHtml(const QString& text)
{
    setHeader(QStringLiteral("Content-type"), QStringLiteral("text/html;charset=utf-8"));
    m_body = text;
    return *this;
}

HttpResponse& HttpResponse::setBody(const QString& text, const QString& type)
{
    setContentType(type);
    m_body = text;
    return *this;
}

HttpResponse& HttpResponse::setJson(const QString& text)
{
    setHeader(QStringLiteral("Content-type"), QStringLiteral("application/json;charset=utf-8"));
    setHeader(QStringLiteral("Access-Control-Allow-Origin"), QStringLiteral("*"));
    m_body = text;
    return *this;
}

QString& HttpResponse::body()
{
    return m_body;
}

QString& HttpResponse::version()
{
    return m_version;
}

QHash<QString, QString>& HttpResponse::headers()
{
    return m_headers;
}

QString HttpResponse::header(const QString& name)
{
    return m_headers[name];
}
