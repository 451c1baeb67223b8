// The request decoder as a connection drives it: arbitrary bytes arrive in
// arbitrary pieces, each piece is appended to the receive buffer and followed
// by one decode. A throw from either ends the connection, as it does there.
#include "httprequest.h"
#include "httprequestdecoder.h"
#include "receivebuffer.h"

#include <QtGlobal>

#include <fuzzer/FuzzedDataProvider.h>

#include <memory>
#include <string>

namespace
{

void discardMessage(QtMsgType, const QMessageLogContext&, const QString&) { }

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qInstallMessageHandler(discardMessage);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    // A small ring wraps often; the decoder must not care where the bytes sit.
    ReceiveBuffer buffer(input.ConsumeIntegralInRange<qint64>(16, 8192));
    HttpRequestDecoder decoder;
    while (input.remaining_bytes() > 0) {
        const std::string piece
            = input.ConsumeBytesAsString(input.ConsumeIntegralInRange<std::size_t>(1, 4095));
        try {
            buffer.append(piece.data(), static_cast<qint64>(piece.size()));
            std::unique_ptr<HttpRequest> request(decoder.decode(buffer));
            if (request && request->body().size() > HttpRequestDecoder::maxBodyLength)
                std::abort();
        } catch (...) {
            return 0;
        }
    }
    return 0;
}
