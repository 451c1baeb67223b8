#include "trans.h"

#include "bluetooth.h"
#include "dlllog.h"
#include "handshake.h"
#include "misframe.h"
#include "rs232.h"
#include "settingsfile.h"
#include "socketclient.h"
#include "textcodec.h"
#include "utils.h"
#include "zelkamisdll.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{

constexpr char kLogUnit[] = "trans";
constexpr int kDefaultTimeoutSeconds = 60;
constexpr char kSectionEnd[] = "<<<<<<<<<<<<<<<<<<<<<<<<";
constexpr std::size_t kModePrefixLength = 3; // "COM", "ETH"

bool isGbk(const std::string& charset)
{
    return charset == "gbk";
}

bool isKnownMode(const std::string& mode)
{
    return mode.compare(0, 3, "COM") == 0 || mode.compare(0, 3, "ETH") == 0 || mode.compare(0, 2, "BT") == 0;
}

// The serial port number after the first three characters of mode; 0 when none.
int serialPortOf(const std::string& mode)
{
    if (mode.size() <= kModePrefixLength)
        return 0;
    errno = 0;
    const long port = std::strtol(mode.c_str() + kModePrefixLength, nullptr, 10);
    return static_cast<int>(std::clamp<long>(port, INT_MIN, INT_MAX));
}

int exchangeOnSocket(int socket, const unsigned char* frame, int frameLength, unsigned char* receiveBuffer,
    int* receivedCount, int timeoutSeconds)
{
    if (socketSend(socket, frame, frameLength) <= 0) {
        socketClose(socket);
        return ZELKAMIS_ERR_SEND;
    }
    *receivedCount = socketRecvFrame(socket, receiveBuffer, *receivedCount, timeoutSeconds);
    socketClose(socket);
    return *receivedCount <= 0 ? ZELKAMIS_ERR_RECEIVE : ZELKAMIS_OK;
}

int exchangeOnSerial(int port, const unsigned char* frame, int frameLength, unsigned char* receiveBuffer,
    int* receivedCount, int timeoutSeconds)
{
    ZLOG("com=%d, baud=%d, timeout=%d", port, kSerialBaudRate, timeoutSeconds);
    if (!serialOpen(port))
        return ZELKAMIS_ERR_OPEN;
    if (serialWrite(frame, frameLength) <= 0) {
        serialClose();
        return ZELKAMIS_ERR_SEND;
    }
    *receivedCount = serialReadFrame(receiveBuffer, *receivedCount, timeoutSeconds);
    serialClose();
    return *receivedCount <= 0 ? ZELKAMIS_ERR_RECEIVE : ZELKAMIS_OK;
}

int transactionTimeout(const Json::Value& settings)
{
    const int seconds = getJsonInt(settings, "timeout");
    return seconds > 0 ? seconds : kDefaultTimeoutSeconds;
}

void logTextAndHex(const std::string& text)
{
    ZLOG_TEXT(text);
    ZLOG_TEXT("HEX:");
    ZLOG_TEXT(hexText(text.data(), text.size()));
}

// Logs the request as the caller gave it and as it goes to the terminal.
void logRequest(const char* request, const std::string& charset, const std::string& wireRequest)
{
    ZLOG_TEXT("【doTransaction...】");
    ZLOG_TEXT(charset);
    ZLOG(">>>>>request(%s)>>>>>>>", charset.c_str());
    logTextAndHex(request);
    ZLOG_TEXT(kSectionEnd);
    if (isGbk(charset)) {
        ZLOG_TEXT(">>>>>convert to utf-8>>>>>>>");
        ZLOG_TEXT(wireRequest);
        ZLOG_TEXT(hexText(wireRequest.data(), wireRequest.size()));
    } else {
        ZLOG_TEXT(">>>>>gbk output for display only>>>>>>>");
        ZLOG_TEXT(utf8ToGbk(request));
    }
    ZLOG_TEXT(kSectionEnd);
}

// Hands the answer in result to the caller in its character set.
void deliverAnswer(const std::string& charset, char* result)
{
    ZLOG_TEXT(">>>>>recv from pos>>>>>>>");
    ZLOG_TEXT(result);
    ZLOG_TEXT(hexText(result, std::strlen(result)));
    ZLOG_TEXT(kSectionEnd);
    if (isGbk(charset)) {
        ZLOG_TEXT(">>>>>convert to gbk>>>>>>>");
        const std::string converted = utf8ToGbk(result);
        // GB18030 takes at most twice the UTF-8 bytes, which the result capacity allows for.
        const std::size_t length
            = std::min(converted.size(), static_cast<std::size_t>(ZELKAMIS_RESULT_CAPACITY - 1));
        std::memset(result, 0, std::strlen(result));
        std::memcpy(result, converted.data(), length);
        result[length] = '\0';
        ZLOG_TEXT(result);
        ZLOG_TEXT(kSectionEnd);
    }
    ZLOG_TEXT(">>>>>result HEX>>>>>>>");
    ZLOG_TEXT(hexText(result, std::strlen(result)));
    ZLOG_TEXT(kSectionEnd);
    ZLOG_TEXT("\r\n");
}

} // namespace

namespace trans
{

int exchangeMisData(const Json::Value& settings, const unsigned char* frame, int frameLength,
    unsigned char* receiveBuffer, int* receivedCount, int timeoutSeconds)
{
    const std::string mode = getJsonString(settings, "mode");
    if (mode == "ETH") {
        const std::string host = getJsonString(settings, "hostip");
        const int port = getJsonInt(settings, "port");
        ZLOG("host:[%s:%d],timeout=%d", host.c_str(), port, timeoutSeconds);
        const int socket = socketOpen(host.c_str(), port, timeoutSeconds);
        if (socket == kNoSocket)
            return ZELKAMIS_ERR_OPEN;
        return exchangeOnSocket(socket, frame, frameLength, receiveBuffer, receivedCount, timeoutSeconds);
    }
    if (mode == "BT") {
        const int socket = bluetoothOpen(getJsonString(settings, "mac").c_str());
        if (socket == kNoSocket)
            return ZELKAMIS_ERR_OPEN;
        return exchangeOnSocket(socket, frame, frameLength, receiveBuffer, receivedCount, timeoutSeconds);
    }
    return exchangeOnSerial(
        serialPortOf(mode), frame, frameLength, receiveBuffer, receivedCount, timeoutSeconds);
}

int initialization(const char* json)
{
    if (json == nullptr) {
        ZLOG_TEXT("init入参为空!");
        return ZELKAMIS_ERR_ARGUMENT;
    }
    ZLOG_TEXT("【setCommuParameter...】");
    ZLOG_TEXT(json);
    Json::Value document;
    if (!parseJsonDocument(json, document)) {
        ZLOG_TEXT("入参转换json格式失败!");
        return ZELKAMIS_ERR_ARGUMENT;
    }
    if (isEmptyDocument(document)) {
        ZLOG_TEXT("入参转换json格式后数据为空");
        return ZELKAMIS_ERR_ARGUMENT;
    }
    const std::string mode = getJsonString(document, "mode");
    if (mode.empty() || mode.size() >= kModeCapacity || !isKnownMode(mode)) {
        ZLOG_TEXT("入参通信方式错误");
        return ZELKAMIS_ERR_ARGUMENT;
    }
    if (mode.compare(0, 2, "BT") == 0 && getJsonString(document, "mac").empty()) {
        ZLOG_TEXT("蓝牙通信方式mac不能为空!");
        return ZELKAMIS_ERR_ARGUMENT;
    }
    saveSetting(document);
    return ZELKAMIS_OK;
}

int doTransaction(const char* request, char* result)
{
    const std::optional<Json::Value> settings = loadSetting();
    if (!settings) {
        ZLOG_TEXT("doTransaction,请先初始化通信参数");
        return ZELKAMIS_ERR_NOT_CONFIGURED;
    }
    if (request == nullptr) {
        ZLOG_TEXT("doTransaction入参request为空!");
        return ZELKAMIS_ERR_ARGUMENT;
    }
    if (result == nullptr) {
        ZLOG_TEXT("doTransaction入参result为空!");
        return ZELKAMIS_ERR_ARGUMENT;
    }
    const std::string charset = getJsonString(*settings, "charset");
    const std::string wireRequest = isGbk(charset) ? gbkToUtf8(request) : std::string(request);
    if (wireRequest.size() > ZELKAMIS_MAX_REQUEST_BYTES) {
        ZLOG("doTransaction入参request过长(%d)!", static_cast<int>(wireRequest.size()));
        return ZELKAMIS_ERR_ARGUMENT;
    }

    const int handshake = runHandshake(*settings);
    if (handshake != 0)
        return handshake;

    logRequest(request, charset, wireRequest);
    unsigned char frame[kFrameCapacity] = {};
    packMisData(wireRequest.c_str(), frame);
    const int frameLength = static_cast<int>(wireRequest.size() + kFrameOverheadBytes);
    const int timeoutSeconds = transactionTimeout(*settings);

    unsigned char received[kReceiveCapacity] = {};
    int receivedCount = static_cast<int>(kReceiveCapacity);
    const int exchange
        = exchangeMisData(*settings, frame, frameLength, received, &receivedCount, timeoutSeconds);
    if (exchange != 0) {
        ZLOG("doBusiness收数据交互失败,ret=%d", exchange);
        return exchange;
    }
    if (receivedCount <= static_cast<int>(kFrameOverheadBytes)) {
        ZLOG_TEXT("交易接收数据失败");
        return ZELKAMIS_ERR_RECEIVE;
    }
    if (parseMisData(received, receivedCount, result) != 0) {
        ZLOG_TEXT("解析数据合法性失败");
        return ZELKAMIS_ERR_FRAME;
    }
    deliverAnswer(charset, result);
    return ZELKAMIS_OK;
}

} // namespace trans
