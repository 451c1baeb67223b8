#pragma once

// Bluetooth serial-port-profile link: opens an RFCOMM socket to the terminal whose
// device address is mac ("XX:XX:XX:XX:XX:XX"). The socket is then used with
// socketSend, socketRecvFrame and socketClose. Returns kNoSocket on failure.
// Not available on this platform yet: every open fails.
int bluetoothOpen(const char* mac);
