#include "misserviceforkovrav2.h"

MisServiceForKovraV2* MisServiceForKovraV2::instance()
{
    static MisServiceForKovraV2* const service = new MisServiceForKovraV2;
    return service;
}
