#include "bluezbluetooth.h"

#include <bluetooth/rfcomm.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>

namespace
{

// The serial port profile, 00001101-0000-1000-8000-00805F9B34FB.
constexpr std::uint8_t kSerialPortProfile[16]
    = { 0x00, 0x00, 0x11, 0x01, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0x80, 0x5F, 0x9B, 0x34, 0xFB };
constexpr std::uint32_t kAllAttributes = 0x0000FFFF;
constexpr int kHighestRfcommChannel = 30;

// BlueZ keeps the bytes of an address in the reverse of the text order.
bdaddr_t toBdaddr(const BluetoothAddress& address)
{
    bdaddr_t result {};
    std::reverse_copy(address.begin(), address.end(), result.b);
    return result;
}

// The RFCOMM channel of a service record; 0 when it names none.
int rfcommChannelOf(const sdp_record_t* record)
{
    sdp_list_t* protocols = nullptr;
    if (sdp_get_access_protos(record, &protocols) != 0)
        return 0;
    const int channel = sdp_get_proto_port(protocols, RFCOMM_UUID);
    for (sdp_list_t* entry = protocols; entry != nullptr; entry = entry->next)
        sdp_list_free(static_cast<sdp_list_t*>(entry->data), nullptr);
    sdp_list_free(protocols, nullptr);
    return channel;
}

void freeRecord(void* record)
{
    sdp_record_free(static_cast<sdp_record_t*>(record));
}

} // namespace

BluezBluetooth::~BluezBluetooth()
{
    endServiceLookup();
}

int BluezBluetooth::createRfcommSocket()
{
    return ::socket(AF_BLUETOOTH, SOCK_STREAM | SOCK_CLOEXEC, BTPROTO_RFCOMM);
}

bool BluezBluetooth::convertAddress(const char* mac, BluetoothAddress& address)
{
    bdaddr_t converted {};
    if (bachk(mac) < 0 || str2ba(mac, &converted) != 0)
        return false;
    std::reverse_copy(converted.b, converted.b + sizeof converted.b, address.begin());
    return true;
}

bool BluezBluetooth::beginServiceLookup(const BluetoothAddress& device)
{
    const bdaddr_t anyAdapter {};
    const bdaddr_t target = toBdaddr(device);
    session_ = sdp_connect(&anyAdapter, &target, SDP_RETRY_IF_BUSY);
    return session_ != nullptr;
}

bool BluezBluetooth::nextServiceChannel(int& channel)
{
    uuid_t serialPort {};
    sdp_uuid128_create(&serialPort, kSerialPortProfile);
    std::uint32_t range = kAllAttributes;
    sdp_list_t* search = sdp_list_append(nullptr, &serialPort);
    sdp_list_t* attributes = sdp_list_append(nullptr, &range);
    sdp_list_t* records = nullptr;
    const bool searched = search != nullptr && attributes != nullptr
        && sdp_service_search_attr_req(session_, search, SDP_ATTR_REQ_RANGE, attributes, &records) == 0;
    // Only the first service found counts.
    channel = searched && records != nullptr ? rfcommChannelOf(static_cast<sdp_record_t*>(records->data)) : 0;
    sdp_list_free(records, freeRecord);
    sdp_list_free(attributes, nullptr);
    sdp_list_free(search, nullptr);
    return channel > 0 && channel <= kHighestRfcommChannel;
}

void BluezBluetooth::endServiceLookup()
{
    if (session_ != nullptr)
        sdp_close(session_);
    session_ = nullptr;
}

bool BluezBluetooth::connectRfcomm(int socket, const BluetoothAddress& device, int channel)
{
    sockaddr_rc peer {};
    peer.rc_family = AF_BLUETOOTH;
    peer.rc_bdaddr = toBdaddr(device);
    peer.rc_channel = static_cast<std::uint8_t>(channel);
    return ::connect(socket, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) == 0;
}

void BluezBluetooth::closeSocket(int socket)
{
    ::close(socket);
}
