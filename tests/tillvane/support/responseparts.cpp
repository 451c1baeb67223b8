#include "responseparts.h"

ResponseParts ResponseParts::parse(const QByteArray& response)
{
    ResponseParts parts;
    const int headerEnd = response.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return parts;
    const QList<QByteArray> lines = response.left(headerEnd).split('\n');
    parts.statusLine = lines.first().chopped(1);
    for (int i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).endsWith('\r') ? lines.at(i).chopped(1) : lines.at(i);
        const int colon = line.indexOf(": ");
        parts.headers.append(qMakePair(line.left(colon), line.mid(colon + 2)));
    }
    parts.body = response.mid(headerEnd + 4);
    return parts;
}

QList<QByteArray> ResponseParts::values(const QByteArray& name) const
{
    QList<QByteArray> found;
    for (const auto& header : headers) {
        if (header.first == name)
            found.append(header.second);
    }
    return found;
}
