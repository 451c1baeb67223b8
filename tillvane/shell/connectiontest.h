#pragma once

#include <QString>

// Runs a sign-on with the terminal through one of the two payment services,
// in-process and on the calling thread, and returns the JSON answer an HTTP
// client would have received. useDllV2 chooses the "/kovra/v2" service
// (a fixed LOGON request) over the older one (a sign-on whose trace number is
// the current time in whole seconds since 1970).
QString runConnectionTest(bool useDllV2);
