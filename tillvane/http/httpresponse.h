#pragma once

#include <QHash>
#include <QString>

class HttpRequest;

// One answer: status line items, header table and body text. Header names
// are stored exactly as set; "Content-Length" is computed when written.
class HttpResponse
{
public:
    HttpResponse();
    explicit HttpResponse(HttpRequest* request);
    virtual ~HttpResponse() = default;

    virtual int& statusCode();
    virtual QString& reasonPhrase();
    virtual HttpResponse& setStatus(int code, const QString& reason);
    virtual HttpResponse& setContentType(const QString& type);
    virtual HttpResponse& setHeaders(const QHash<QString, QString>& headers);
    virtual HttpResponse& setHeader(const QString& name, const QString& value);
    virtual HttpResponse& setHtml(const QString& text);
    virtual HttpResponse& setBody(const QString& text, const QString& type);
    virtual HttpResponse& setJson(const QString& text);
    virtual QString& body();
    virtual QString& version();
    virtual QHash<QString, QString>& headers();
    virtual QString header(const QString& name);

private:
    QString m_version = QStringLiteral("HTTP/1.1");
    QHash<QString, QString> m_headers;
    QString m_body;
    int m_statusCode = 200;
    QString m_reasonPhrase;
};
