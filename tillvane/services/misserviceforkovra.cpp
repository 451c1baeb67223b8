#include "misserviceforkovra.h"

MisServiceForKovra* MisServiceForKovra::instance()
{
    static MisServiceForKovra* const service = new MisServiceForKovra;
    return service;
}
