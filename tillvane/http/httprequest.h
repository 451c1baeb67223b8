#pragma once

#include <QHash>
#include <QString>
#include <QUrl>

// One decoded request. Header names are kept exactly as received and looked
// up exactly; headers()[name] inserts an empty value for an absent name.
class HttpRequest
{
public:
    virtual ~HttpRequest() = default;

    const QString& method() const { return m_method; }
    void setMethod(const QString& method) { m_method = method; }

    const QUrl& url() const { return m_url; }
    void setUrl(const QUrl& url) { m_url = url; }

    const QString& version() const { return m_version; }
    void setVersion(const QString& version) { m_version = version; }

    const QString& query() const { return m_query; }
    void setQuery(const QString& query) { m_query = query; }

    QHash<QString, QString>& headers() { return m_headers; }
    void setHeader(const QString& name, const QString& value) { m_headers.insert(name, value); }
    void setHeaders(const QHash<QString, QString>& headers) { m_headers = headers; }

    const QString& body() const { return m_body; }
    void setBody(const QString& body) { m_body = body; }

private:
    QString m_method;
    QUrl m_url;
    QString m_version;
    QString m_query;
    QHash<QString, QString> m_headers;
    QString m_body;
};
