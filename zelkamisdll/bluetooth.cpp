#include "bluetooth.h"

#include "bluezbluetooth.h"
#include "dlllog.h"
#include "socketclient.h"

namespace
{
constexpr char kLogUnit[] = "bluetooth";
}

int bluetoothOpen(const char* mac)
{
    BluezBluetooth platform;
    return bluetoothOpenOn(platform, mac);
}

int bluetoothOpenOn(BluetoothPlatform& platform, const char* mac)
{
    const char* text = mac == nullptr ? "" : mac;
    ZLOG("bluetoothOpen, mac=%s", text);
    if (*text == '\0') {
        ZLOG_TEXT("bluetoothOpen, mac is empty!");
        return kNoSocket;
    }
    const int socket = platform.createRfcommSocket();
    if (socket < 0) {
        ZLOG_TEXT("bluetoothOpen, socket fail!");
        return kNoSocket;
    }
    BluetoothAddress device {};
    if (!platform.convertAddress(text, device)) {
        platform.closeSocket(socket);
        ZLOG_TEXT("bluetoothOpen, WSAStringToAddress fail!");
        return kNoSocket;
    }
    if (!platform.beginServiceLookup(device)) {
        platform.closeSocket(socket);
        ZLOG_TEXT("bluetoothOpen, WSALookupServiceBegin fail!");
        return kNoSocket;
    }
    int channel = 0;
    const bool found = platform.nextServiceChannel(channel);
    platform.endServiceLookup();
    if (!found) {
        platform.closeSocket(socket);
        ZLOG_TEXT("bluetoothOpen, WSALookupServiceNext fail!");
        return kNoSocket;
    }
    if (!platform.connectRfcomm(socket, device, channel)) {
        platform.closeSocket(socket);
        ZLOG_TEXT("bluetoothOpen, connect fail!");
        return kNoSocket;
    }
    return socket;
}
