#include "comportitem.h"

#include <QRegularExpression>

QString comPortItem(const QString& portName)
{
    static const QRegularExpression digits(QStringLiteral("(\\d+)"));
    const QRegularExpressionMatch match = digits.match(portName);
    return match.hasMatch() ? match.captured(1) : QStringLiteral("0");
}
