#include "serviceaddress.h"

QString serviceAddress(quint16 port)
{
    const QString portPart = port == 80 ? QString() : QStringLiteral(":%1").arg(port);
    return QStringLiteral("http://127.0.0.1%1/kovra/v2/dotrans/").arg(portPart);
}
