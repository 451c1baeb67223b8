#pragma once

#include <array>
#include <cstdint>

// A Bluetooth device address, in the order the text form writes it.
using BluetoothAddress = std::array<std::uint8_t, 6>;

// The platform's Bluetooth calls that opening a serial-port-profile link is made of,
// one step each, so that the order of the steps and the releases can be checked.
// A lookup that has begun is ended with endServiceLookup; a socket is closed with
// closeSocket until it has been connected.
class BluetoothPlatform
{
public:
    virtual ~BluetoothPlatform() = default;
    // An RFCOMM stream socket; a negative value when there is no Bluetooth stack.
    virtual int createRfcommSocket() = 0;
    // "XX:XX:XX:XX:XX:XX" into address; false when the text is no device address.
    virtual bool convertAddress(const char* mac, BluetoothAddress& address) = 0;
    // Starts the search of the device's services for the serial port profile.
    virtual bool beginServiceLookup(const BluetoothAddress& device) = 0;
    // The RFCOMM channel of the first service found; false when none was found.
    virtual bool nextServiceChannel(int& channel) = 0;
    virtual void endServiceLookup() = 0;
    // A blocking connect, as long as the platform allows.
    virtual bool connectRfcomm(int socket, const BluetoothAddress& device, int channel) = 0;
    virtual void closeSocket(int socket) = 0;
};
