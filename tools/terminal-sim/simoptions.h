#pragma once

#include <optional>
#include <string>

// What can go wrong on purpose.
enum class SimFault {
    None,
    RefuseHandshake, // answer the handshake with {01}
    Silent, // answer nothing
    CloseMidFrame, // send half the answer frame, then hang up
    BadEtx, // wrong end byte
    BadLrc, // check byte off by one
    StrayBytes, // bytes before the start byte
    Pieces, // the answer in small pieces with pauses
};

// Which exchanges a fault hits.
enum class SimFaultTarget { Request, Handshake, Both };

// How "{00}" is followed.
enum class SimHandshakeAnswer { Identity, Plain, Garbage };

struct SimOptions {
    int port = 0; // 0: any free port, printed at start
    SimFault fault = SimFault::None;
    SimFaultTarget faultOn = SimFaultTarget::Request;
    SimHandshakeAnswer handshakeAnswer = SimHandshakeAnswer::Identity;
    int delayMs = 0; // pause before every answer
    int answerSize = 0; // pad request answers to this many payload bytes (0: no padding)
    int pieceBytes = 7; // with --fault pieces
    int pieceGapMs = 20; // with --fault pieces
};

// Parses the command line; on error sets message and returns nothing.
std::optional<SimOptions> parseSimOptions(int argc, char** argv, std::string& message);

// The option text that selects fault.
std::string simFaultName(SimFault fault);

extern const char kSimUsage[];
