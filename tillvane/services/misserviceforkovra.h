#pragma once

#include "defaulthttpserver.h"

// The older payment service under "/kovra", one path per kind of
// transaction. One object per process, created on first demand and never
// destroyed. Its transaction paths are not in place yet: every request is
// answered with the not-found JSON.
class MisServiceForKovra : public DefaultHttpServer
{
public:
    static MisServiceForKovra* instance();

private:
    MisServiceForKovra() = default;
};
