#include "paymentservicenotice.h"

#include "misserviceforkovra.h"
#include "misserviceforkovrav2.h"

void noticeCommunicationSettingsSaved()
{
    MisServiceForKovra::instance()->reloadConfig();
    MisServiceForKovraV2* v2 = MisServiceForKovraV2::instance();
    v2->reloadConfig();
    v2->initTrans();
}
