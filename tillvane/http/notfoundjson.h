#pragma once

#include <QString>

// The body every unknown path is answered with (HTTP status stays 200).
inline QString notFoundJson()
{
    return QStringLiteral("{\"code\": 404, \"msg\": \"not found\"}");
}
