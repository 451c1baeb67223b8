#include "httpmethodflag.h"

#include <QHash>

int methodFlag(const QString& method)
{
    static const QHash<QString, int> flags {
        { "GET", HTTP_GET },
        { "POST", HTTP_POST },
        { "HEAD", HTTP_HEAD },
        { "OPTIONS", HTTP_OPTIONS },
        { "PUT", HTTP_PUT },
        { "PATCH", HTTP_PATCH },
        { "DELETE", HTTP_DELETE },
        { "TRACE", HTTP_TRACE },
        { "CONNECT", HTTP_CONNECT },
        { "ALL", HTTP_ALL },
    };
    return flags.value(method.toUpper(), 0);
}
