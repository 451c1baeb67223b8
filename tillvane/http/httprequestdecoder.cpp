#include "httprequestdecoder.h"

#include "httprequest.h"
#include "notcomplateexception.h"
#include "receivebuffer.h"
#include "utf8text.h"

#include <QDebug>
#include <QStringList>
#include <QThread>

#include <exception>

HttpRequest* HttpRequestDecoder::decode(ReceiveBuffer& buffer)
{
    auto* request = new HttpRequest;
    buffer.mark();
    try {
        if (!decodeRequestLine(buffer, request) || !decodeHeaders(buffer, request)
            || !decodeBody(buffer, request))
            throw NotComplateException();
    } catch (const NotComplateException&) {
        delete request;
        return nullptr;
    } catch (...) {
        qDebug() << "decode http occur exception.";
        delete request;
        throw;
    }
    buffer.commit();
    qDebug() << "decode http in thread: " << QThread::currentThreadId();
    return request;
}

bool HttpRequestDecoder::decodeRequestLine(ReceiveBuffer& buffer, HttpRequest* request)
{
    try {
        const QString text = utf8UpToZero(buffer.readLine());
        if (text.isEmpty()) {
            if (isHttpPackage(buffer))
                return false;
            qDebug() << "received data is not http package.";
            throw std::exception();
        }
        qDebug() << text;
        const QStringList parts = text.trimmed().split(' ', Qt::SkipEmptyParts);
        if (parts.size() < 3) {
            qDebug() << "http method line error." << text;
            throw std::exception();
        }
        const QString& target = parts.at(1);
        const int questionMark = target.indexOf('?');
        request->setMethod(parts.at(0));
        request->setUrl(QUrl(target, QUrl::TolerantMode));
        request->setVersion(parts.at(2));
        request->setQuery(questionMark < 0 ? target : target.mid(questionMark + 1));
        return true;
    } catch (...) {
        qDebug() << "decode http occur exception.";
        throw;
    }
}

bool HttpRequestDecoder::decodeHeaders(ReceiveBuffer& buffer, HttpRequest* request)
{
    // Until the block's empty line has arrived the lines below cannot end it;
    // parsing (and logging) them again on every attempt would cost each new
    // segment the whole block so far.
    if (!buffer.hasEmptyLineAhead())
        return false;
    try {
        for (;;) {
            const QString text = utf8UpToZero(buffer.readLine());
            if (text.isEmpty())
                return false;
            if (text == QLatin1String("\r\n") || text == QLatin1String("\n")) {
                qDebug() << text;
                return true;
            }
            const QString line = text.trimmed();
            qDebug() << line;
            const int colon = line.indexOf(':');
            if (colon < 0)
                continue;
            request->setHeader(line.left(colon).trimmed(), line.mid(colon + 1).trimmed());
        }
    } catch (...) {
        qDebug() << "decode headers failed";
        throw;
    }
}

bool HttpRequestDecoder::decodeBody(ReceiveBuffer& buffer, HttpRequest* request)
{
    try {
        const QString declared = request->headers()["Content-Length"];
        if (declared.isEmpty())
            return true;
        const qulonglong length = declared.toULongLong();
        if (length > static_cast<qulonglong>(maxBodyLength)) {
            qDebug() << "body length > " << maxBodyLength << " cannot receive";
            throw std::exception();
        }
        QByteArray block(static_cast<int>(length), '\0');
        if (buffer.readBytes(block.data(), static_cast<qint64>(length)) < static_cast<qint64>(length))
            return false;
        request->setBody(utf8UpToZero(block));
        return true;
    } catch (...) {
        qDebug() << "decode body failed";
        throw;
    }
}

// Judges the first bytes of a request line whose end has not arrived yet.
// Bytes that occur in the list of method names may still become a method. So
// may a method followed by a space and the start of its path: the rest of the
// line is on its way, in a later segment when the line is long or the client
// slow, and refusing it would lose the request.
bool HttpRequestDecoder::isHttpPackage(ReceiveBuffer& buffer)
{
    static const QString methods = QStringLiteral("GET POST PUT DELETE OPTIONS HEAD TRACE CONNECT");
    static const QStringList methodNames = methods.split(QLatin1Char(' '));
    char head[10] = {};
    buffer.mark();
    const qint64 count = buffer.readBytes(head, 8);
    if (count <= 0)
        return false;
    const QString text = QString::fromUtf8(head);
    if (methods.contains(text, Qt::CaseInsensitive))
        return true;
    const int space = text.indexOf(QLatin1Char(' '));
    return space > 0 && methodNames.contains(text.left(space), Qt::CaseInsensitive);
}
