#pragma once

#include <QtGlobal>

class HttpRequest;
class ReceiveBuffer;

// Turns received bytes into requests. Has no state; shared by all connections.
class HttpRequestDecoder
{
public:
    virtual ~HttpRequestDecoder() = default;

    // A whole request (consumed from the buffer), or null when more bytes are
    // needed (nothing consumed). Data that cannot be a request throws.
    virtual HttpRequest* decode(ReceiveBuffer& buffer);

    virtual bool decodeRequestLine(ReceiveBuffer& buffer, HttpRequest* request);
    virtual bool decodeHeaders(ReceiveBuffer& buffer, HttpRequest* request);
    virtual bool decodeBody(ReceiveBuffer& buffer, HttpRequest* request);
    virtual bool isHttpPackage(ReceiveBuffer& buffer);

    static constexpr qint64 maxBodyLength = 1048576;
};
