#pragma once

#include <QByteArray>
#include <QString>

// Received and sent bytes as text: UTF-8 up to the first zero byte.
inline QString utf8UpToZero(const QByteArray& bytes)
{
    return QString::fromUtf8(bytes.constData(), static_cast<int>(qstrnlen(bytes.constData(), bytes.size())));
}
