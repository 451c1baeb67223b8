#pragma once

#include "defaulthttpserver.h"

// The payment service under "/kovra/v2". One object per process, created on
// first demand and never destroyed. Its transaction paths are not in place
// yet: every request is answered with the not-found JSON.
class MisServiceForKovraV2 : public DefaultHttpServer
{
public:
    static MisServiceForKovraV2* instance();

private:
    MisServiceForKovraV2() = default;
};
