#include "bluetooth.h"
#include "bluetoothplatform.h"
#include "bluezbluetooth.h"
#include "libraryfixture.h"
#include "socketclient.h"
#include "zelkamisdll.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

constexpr int kFakeSocket = 42;
constexpr int kFakeChannel = 5;
const char kMac[] = "00:1A:7D:DA:71:13";

// Records the calls of bluetoothOpen and fails the step named failAt.
class FakeBluetooth : public BluetoothPlatform
{
public:
    explicit FakeBluetooth(std::string failAt = "")
        : failAt_(std::move(failAt))
    {
    }
    int createRfcommSocket() override { return step("socket") ? kFakeSocket : -1; }
    bool convertAddress(const char* mac, BluetoothAddress& address) override
    {
        calls.push_back(std::string("convert ") + mac);
        address = { 0x00, 0x1A, 0x7D, 0xDA, 0x71, 0x13 };
        return failAt_ != "convert";
    }
    bool beginServiceLookup(const BluetoothAddress& device) override
    {
        lookedUp = device;
        return step("begin");
    }
    bool nextServiceChannel(int& channel) override
    {
        channel = kFakeChannel;
        return step("next");
    }
    void endServiceLookup() override { calls.push_back("end"); }
    bool connectRfcomm(int socket, const BluetoothAddress& device, int channel) override
    {
        calls.push_back("connect " + std::to_string(socket) + " channel " + std::to_string(channel));
        connected = device;
        return failAt_ != "connect";
    }
    void closeSocket(int socket) override { calls.push_back("close " + std::to_string(socket)); }

    std::vector<std::string> calls;
    BluetoothAddress lookedUp {};
    BluetoothAddress connected {};

private:
    bool step(const std::string& name)
    {
        calls.push_back(name);
        return failAt_ != name;
    }
    std::string failAt_;
};

using Calls = std::vector<std::string>;

using ZelkamisBluetoothTest = LibraryFixture;

TEST_F(ZelkamisBluetoothTest, ConnectsOnTheChannelOfTheFirstService)
{
    FakeBluetooth platform;
    EXPECT_EQ(bluetoothOpenOn(platform, kMac), kFakeSocket);
    EXPECT_EQ(platform.calls,
        (Calls { "socket", std::string("convert ") + kMac, "begin", "next", "end", "connect 42 channel 5" }));
    const BluetoothAddress device { 0x00, 0x1A, 0x7D, 0xDA, 0x71, 0x13 };
    EXPECT_EQ(platform.lookedUp, device);
    EXPECT_EQ(platform.connected, device);
    EXPECT_TRUE(logged(std::string("bluetoothOpen, mac=") + kMac));
}

TEST_F(ZelkamisBluetoothTest, EachFailingStepIsLoggedAndReleasesWhatWasAcquired)
{
    const std::string convert = std::string("convert ") + kMac;
    const struct {
        const char* failAt;
        const char* logged;
        Calls calls;
    } cases[] = {
        { "socket", "bluetoothOpen, socket fail!", { "socket" } },
        { "convert", "bluetoothOpen, WSAStringToAddress fail!", { "socket", convert, "close 42" } },
        { "begin", "bluetoothOpen, WSALookupServiceBegin fail!", { "socket", convert, "begin", "close 42" } },
        { "next", "bluetoothOpen, WSALookupServiceNext fail!",
            { "socket", convert, "begin", "next", "end", "close 42" } },
        { "connect", "bluetoothOpen, connect fail!",
            { "socket", convert, "begin", "next", "end", "connect 42 channel 5", "close 42" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.failAt);
        clearLogs();
        FakeBluetooth platform(c.failAt);
        EXPECT_EQ(bluetoothOpenOn(platform, kMac), kNoSocket);
        EXPECT_EQ(platform.calls, c.calls);
        EXPECT_TRUE(logged(c.logged)) << logs();
    }
}

TEST_F(ZelkamisBluetoothTest, EmptyAddressIsRefusedBeforeAnySocket)
{
    for (const char* mac : { "", static_cast<const char*>(nullptr) }) {
        clearLogs();
        FakeBluetooth platform;
        EXPECT_EQ(bluetoothOpenOn(platform, mac), kNoSocket);
        EXPECT_TRUE(platform.calls.empty());
        EXPECT_TRUE(logged("bluetoothOpen, mac=\n"));
        EXPECT_TRUE(logged("bluetoothOpen, mac is empty!"));
    }
}

TEST_F(ZelkamisBluetoothTest, AddressTextConversion)
{
    const struct {
        const char* text;
        bool valid;
    } cases[] = {
        { "00:1A:7D:DA:71:13", true },
        { "00:1a:7d:da:71:13", true },
        { "00:1A:7D:DA:71", false },
        { "00:1A:7D:DA:71:13:00", false },
        { "00-1A-7D-DA-71-13", false },
        { "0G:1A:7D:DA:71:13", false },
        { "terminal", false },
    };
    BluezBluetooth bluez;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        BluetoothAddress address {};
        ASSERT_EQ(bluez.convertAddress(c.text, address), c.valid);
        if (c.valid) {
            EXPECT_EQ(address, (BluetoothAddress { 0x00, 0x1A, 0x7D, 0xDA, 0x71, 0x13 }));
        }
    }
}

// This machine has no adapter (and may have no Bluetooth stack at all): the transaction
// fails to open the link in all three handshake attempts.
TEST_F(ZelkamisBluetoothTest, TransactionWithoutAnAdapterFailsToOpen)
{
    writeSettings(std::string(R"({"mode":"BT","mac":")") + kMac + R"(","timeout":1})");
    std::vector<char> result(ZELKAMIS_RESULT_CAPACITY, '#');
    EXPECT_EQ(doTransaction("{}", result.data()), ZELKAMIS_ERR_OPEN);
    EXPECT_EQ(countLogged("握手收数据交互失败,ret=-3"), 3);
    EXPECT_TRUE(logged("bluetoothOpen, socket fail!") || logged("bluetoothOpen, WSALookupServiceBegin fail!"))
        << logs();
}

} // namespace
