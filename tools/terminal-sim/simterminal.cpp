#include "simterminal.h"

#include "simanswers.h"
#include "simframe.h"

#include <chrono>
#include <cstdio>
#include <thread>

namespace
{

constexpr std::size_t kShownAnswerBytes = 200;

void pause(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace

bool SimTerminal::faultApplies(bool handshake) const
{
    if (options_.fault == SimFault::None)
        return false;
    return options_.faultOn == SimFaultTarget::Both
        || (options_.faultOn == SimFaultTarget::Handshake) == handshake;
}

bool SimTerminal::sendInPieces(SimChannel& channel, const std::string& frame)
{
    for (std::size_t offset = 0; offset < frame.size();
         offset += static_cast<std::size_t>(options_.pieceBytes)) {
        if (offset > 0)
            pause(options_.pieceGapMs);
        const std::size_t count
            = std::min(frame.size() - offset, static_cast<std::size_t>(options_.pieceBytes));
        if (!channel.writeAll(frame.data() + offset, count))
            return false;
    }
    return true;
}

bool SimTerminal::sendAnswer(SimChannel& channel, const std::string& payload, bool faulty)
{
    pause(options_.delayMs);
    std::string frame = frameOf(payload);
    if (!faulty)
        return channel.writeAll(frame.data(), frame.size());
    switch (options_.fault) {
    case SimFault::Silent:
        return true;
    case SimFault::CloseMidFrame:
        channel.writeAll(frame.data(), frame.size() / 2);
        return false;
    case SimFault::BadEtx:
        frame[frame.size() - 2] = 0x04;
        break;
    case SimFault::BadLrc:
        frame.back() = static_cast<char>(frame.back() + 1);
        break;
    case SimFault::StrayBytes:
        frame.insert(0, "\xFF\x00\x7B\x10", 4);
        break;
    case SimFault::Pieces:
        return sendInPieces(channel, frame);
    case SimFault::None:
    case SimFault::RefuseHandshake:
        break;
    }
    return channel.writeAll(frame.data(), frame.size());
}

void SimTerminal::serve(SimChannel& channel)
{
    SimFrameReader reader(channel);
    while (const auto frame = reader.next()) {
        ++exchanges_;
        if (!frame->valid) {
            std::printf("#%ld bad frame (%zu payload bytes), no answer\n", exchanges_, frame->payload.size());
            continue;
        }
        const bool handshake = frame->payload == "{99}";
        const bool faulty = faultApplies(handshake);
        const std::string answer
            = handshake ? handshakeAnswer(options_) : requestAnswer(frame->payload, options_.answerSize);
        const std::string shown
            = answer.size() > kShownAnswerBytes ? answer.substr(0, kShownAnswerBytes) + "..." : answer;
        std::printf("#%ld %s %zu bytes -> %zu bytes%s%s: %s\n", exchanges_,
            handshake ? "handshake" : "request", frame->payload.size(), answer.size(),
            faulty ? ", fault " : "", faulty ? simFaultName(options_.fault).c_str() : "", shown.c_str());
        if (!sendAnswer(channel, answer, faulty))
            return;
    }
}
