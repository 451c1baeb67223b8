#include "handshake.h"

#include "dlllog.h"
#include "misframe.h"
#include "trans.h"
#include "utils.h"

#include <cstring>
#include <string>

namespace
{

constexpr char kLogUnit[] = "trans";
constexpr int kHandshakeAttempts = 3;
constexpr int kHandshakeTimeoutSeconds = 2;
constexpr char kHandshakeRequest[] = "{99}";
constexpr char kHandshakeAccepted[] = "{00}";
constexpr std::size_t kHandshakeAcceptedLength = sizeof kHandshakeAccepted - 1;
constexpr int kHandshakeFailed = -7;

// Logs the identity a terminal may send after "{00}"; text that is not JSON is ignored.
void logTerminalIdentity(const char* identityText)
{
    Json::Value identity;
    if (!parseJsonDocument(identityText, identity))
        return;
    ZLOG_TEXT(json2String(identity));
    ZLOG("model=%s,cid=%s,tid=%s", getJsonString(identity, "model").c_str(),
        getJsonString(identity, "cid").c_str(), getJsonString(identity, "tid").c_str());
}

int attemptHandshake(const Json::Value& settings)
{
    unsigned char frame[kFrameCapacity] = {};
    unsigned char received[kReceiveCapacity] = {};
    packMisData(kHandshakeRequest, frame);
    int receivedCount = static_cast<int>(kReceiveCapacity);
    const int frameLength = static_cast<int>(std::strlen(kHandshakeRequest) + kFrameOverheadBytes);

    const int result = trans::exchangeMisData(
        settings, frame, frameLength, received, &receivedCount, kHandshakeTimeoutSeconds);
    if (result != 0) {
        ZLOG("握手收数据交互失败,ret=%d", result);
        return result;
    }
    if (receivedCount <= static_cast<int>(kFrameOverheadBytes)) {
        ZLOG_TEXT("握手接收数据失败");
        return kHandshakeFailed;
    }
    // The answer is unpacked into the frame buffer, so a longer payload cannot be taken.
    char answer[kFrameCapacity];
    if (declaredPayloadLength(received) >= sizeof answer
        || parseMisData(received, receivedCount, answer) != 0) {
        ZLOG_TEXT("握手解析数据合法性失败");
        return kHandshakeFailed;
    }
    if (std::strncmp(answer, kHandshakeAccepted, kHandshakeAcceptedLength) != 0) {
        ZLOG("握手失败,ret=%d", 0);
        return kHandshakeFailed;
    }
    if (std::strlen(answer) > kHandshakeAcceptedLength)
        logTerminalIdentity(answer + kHandshakeAcceptedLength);
    ZLOG_TEXT("握手成功...");
    return 0;
}

} // namespace

int runHandshake(const Json::Value& settings)
{
    int result = kHandshakeFailed;
    for (int attempt = 0; attempt < kHandshakeAttempts; ++attempt) {
        ZLOG("握手开始%d...", attempt);
        result = attemptHandshake(settings);
        if (result == 0)
            return 0;
    }
    return result;
}
