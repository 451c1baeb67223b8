#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// What the fake terminal does after it has read one frame on a connection.
struct FakeReply {
    enum Kind { Send, Silent, Close } kind = Send;
    std::string bytes; // sent as they are (Send), then the connection stays open until the client closes
};

FakeReply sendBytes(std::string bytes);
FakeReply sendFrame(const std::string& payload); // a correct frame around payload
FakeReply staySilent();
FakeReply hangUp();

// A terminal on 127.0.0.1 (a free port) that plays a script: the i-th connection gets
// the i-th reply (the last one repeats).
class FakeTerminal
{
public:
    explicit FakeTerminal(std::vector<FakeReply> script);
    ~FakeTerminal();

    int port() const { return port_; }
    int connections() const { return connections_; }
    std::vector<std::string> receivedPayloads() const;

private:
    void run();
    void serve(int client, const FakeReply& reply);

    std::vector<FakeReply> script_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<int> connections_ { 0 };
    std::atomic<bool> stopping_ { false };
    mutable std::mutex mutex_;
    std::vector<std::string> payloads_;
    std::thread thread_;
};

// The frame bytes around payload, built independently of the library.
std::string frameBytes(const std::string& payload);
