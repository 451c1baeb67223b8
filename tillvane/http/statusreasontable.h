#pragma once

#include <QMap>
#include <QString>

// The reason phrases of the status codes this server knows; filled once
// before main() and only read afterwards.
const QMap<int, QString>& statusReasonTable();
