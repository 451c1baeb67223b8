#pragma once

#include <QByteArray>

class HttpResponse;

// The bytes of a response as sent: status line, headers, empty line, body,
// all UTF-8. Sets "Content-Length" to the real byte count of the body.
QByteArray encodeResponse(HttpResponse* response);
