#include "responseencoder.h"

#include "httpresponse.h"

QByteArray encodeResponse(HttpResponse* response)
{
    QString text = QStringLiteral("%1 %2 %3\r\n")
                       .arg(response->version().trimmed(), QString::number(response->statusCode()),
                           response->reasonPhrase());
    const QByteArray body = response->body().toUtf8();
    response->setHeader(QStringLiteral("Content-Length"), QString::number(body.size()));
    const QHash<QString, QString>& headers = response->headers();
    for (auto it = headers.cbegin(); it != headers.cend(); ++it)
        text += it.key() + QStringLiteral(": ") + it.value() + QStringLiteral("\r\n");
    text += QStringLiteral("\r\n");
    if (!response->body().isEmpty())
        text += response->body();
    return text.toUtf8();
}
