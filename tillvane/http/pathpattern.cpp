#include "pathpattern.h"

#include "httprequest.h"

#include <QRegExp>

QString decodedPath(HttpRequest* request)
{
    return request->url().path(QUrl::FullyDecoded);
}

bool matchesWholePath(const QString& pattern, const QString& path)
{
    QRegExp expression(pattern, Qt::CaseInsensitive, QRegExp::RegExp);
    return expression.exactMatch(path);
}
