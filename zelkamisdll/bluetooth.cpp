#include "bluetooth.h"

#include "dlllog.h"
#include "socketclient.h"

namespace
{
constexpr char kLogUnit[] = "bluetooth";
}

int bluetoothOpen(const char* mac)
{
    ZLOG("bluetoothOpen, mac=%s", mac);
    if (*mac == '\0')
        ZLOG_TEXT("bluetoothOpen, mac is empty!");
    return kNoSocket;
}
