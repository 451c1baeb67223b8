#include "simoptions.h"

#include <cstdlib>
#include <cstring>
#include <map>

const char kSimUsage[]
    = "usage: terminal-sim [--port N] [--fault NAME] [--fault-on request|handshake|both]\n"
      "                    [--handshake identity|plain|garbage] [--delay-ms N] [--answer-size N]\n"
      "                    [--piece-bytes N] [--piece-gap-ms N]\n"
      "Listens on 127.0.0.1 (port 0: any free port) and prints \"listening on 127.0.0.1:PORT\".\n"
      "faults: refuse-handshake silent close-mid-frame bad-etx bad-lrc stray-bytes pieces\n";

namespace
{

bool readNumber(const char* text, int& value)
{
    char* end = nullptr;
    const long number = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || number < 0 || number > 1000000)
        return false;
    value = static_cast<int>(number);
    return true;
}

template <typename Choice>
bool readChoice(const std::map<std::string, Choice>& choices, const char* text, Choice& value)
{
    const auto found = choices.find(text);
    if (found == choices.end())
        return false;
    value = found->second;
    return true;
}

const std::map<std::string, SimFault> kFaults = {
    { "refuse-handshake", SimFault::RefuseHandshake },
    { "silent", SimFault::Silent },
    { "close-mid-frame", SimFault::CloseMidFrame },
    { "bad-etx", SimFault::BadEtx },
    { "bad-lrc", SimFault::BadLrc },
    { "stray-bytes", SimFault::StrayBytes },
    { "pieces", SimFault::Pieces },
};
const std::map<std::string, SimFaultTarget> kTargets = { { "request", SimFaultTarget::Request },
    { "handshake", SimFaultTarget::Handshake }, { "both", SimFaultTarget::Both } };
const std::map<std::string, SimHandshakeAnswer> kHandshakeAnswers
    = { { "identity", SimHandshakeAnswer::Identity }, { "plain", SimHandshakeAnswer::Plain },
          { "garbage", SimHandshakeAnswer::Garbage } };

bool applyOption(SimOptions& options, const std::string& name, const char* value)
{
    if (name == "--port")
        return readNumber(value, options.port) && options.port <= 65535;
    if (name == "--fault")
        return readChoice(kFaults, value, options.fault);
    if (name == "--fault-on")
        return readChoice(kTargets, value, options.faultOn);
    if (name == "--handshake")
        return readChoice(kHandshakeAnswers, value, options.handshakeAnswer);
    if (name == "--delay-ms")
        return readNumber(value, options.delayMs);
    if (name == "--answer-size")
        return readNumber(value, options.answerSize) && options.answerSize <= 65535;
    if (name == "--piece-bytes")
        return readNumber(value, options.pieceBytes) && options.pieceBytes > 0;
    if (name == "--piece-gap-ms")
        return readNumber(value, options.pieceGapMs);
    return false;
}

} // namespace

std::string simFaultName(SimFault fault)
{
    for (const auto& [name, value] : kFaults)
        if (value == fault)
            return name;
    return "none";
}

std::optional<SimOptions> parseSimOptions(int argc, char** argv, std::string& message)
{
    SimOptions options;
    for (int i = 1; i < argc; i += 2) {
        if (i + 1 >= argc || !applyOption(options, argv[i], argv[i + 1])) {
            message = std::string("terminal-sim: bad option ") + argv[i] + "\n" + kSimUsage;
            return std::nullopt;
        }
    }
    if (options.fault == SimFault::RefuseHandshake)
        options.faultOn = SimFaultTarget::Handshake;
    return options;
}
