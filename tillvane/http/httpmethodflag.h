#pragma once

#include <QString>

// Method bits of a route entry.
enum HttpMethodFlag : int {
    HTTP_GET = 1,
    HTTP_POST = 2,
    HTTP_HEAD = 4,
    HTTP_OPTIONS = 8,
    HTTP_PUT = 16,
    HTTP_PATCH = 32,
    HTTP_DELETE = 64,
    HTTP_TRACE = 128,
    HTTP_CONNECT = 256,
    HTTP_ALL = 511,
};

// The bit of a method name in any case ("ALL" gives every bit); 0 for unknown names.
int methodFlag(const QString& method);
