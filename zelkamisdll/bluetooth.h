#pragma once

class BluetoothPlatform;

// Bluetooth serial-port-profile link: opens an RFCOMM socket to the terminal whose
// device address is mac ("XX:XX:XX:XX:XX:XX"), on the channel its first serial port
// service names. The socket is then used with socketSend, socketRecvFrame and
// socketClose. Returns kNoSocket on failure, having released what it acquired.
int bluetoothOpen(const char* mac);

// The same steps on the given platform.
int bluetoothOpenOn(BluetoothPlatform& platform, const char* mac);
