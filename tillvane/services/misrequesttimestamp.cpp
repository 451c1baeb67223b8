#include "misrequesttimestamp.h"

#include <QDateTime>
#include <QDebug>

void logMisRequestTimestamp()
{
    qDebug() << "timestamap:" << QDateTime::currentMSecsSinceEpoch();
}
