#pragma once

#include <QString>

// The address shop software posts its transactions to, as the window shows
// it: http://127.0.0.1[:port]/kovra/v2/dotrans/ (no port part for port 80).
QString serviceAddress(quint16 port);
