#pragma once

#include "bluetoothplatform.h"

#include <bluetooth/bluetooth.h>
#include <bluetooth/sdp.h>
#include <bluetooth/sdp_lib.h>

// BlueZ (libbluetooth): RFCOMM sockets and the service discovery protocol.
class BluezBluetooth : public BluetoothPlatform
{
public:
    BluezBluetooth() = default;
    ~BluezBluetooth() override;
    BluezBluetooth(const BluezBluetooth&) = delete;
    BluezBluetooth& operator=(const BluezBluetooth&) = delete;

    int createRfcommSocket() override;
    bool convertAddress(const char* mac, BluetoothAddress& address) override;
    bool beginServiceLookup(const BluetoothAddress& device) override;
    bool nextServiceChannel(int& channel) override;
    void endServiceLookup() override;
    bool connectRfcomm(int socket, const BluetoothAddress& device, int channel) override;
    void closeSocket(int socket) override;

private:
    sdp_session_t* session_ = nullptr; // the device's service directory while a lookup runs
};
