#pragma once

#include "simoptions.h"

#include <string>

// Payload answering the handshake request "{99}".
std::string handshakeAnswer(const SimOptions& options);

// Payload answering a request: a JSON object marked as simulated that echoes the
// request's "CMD" and "EXT_ORDER_NO", padded to answerSize bytes when that is larger.
std::string requestAnswer(const std::string& request, int answerSize);
