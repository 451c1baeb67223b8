// The terminal's answer frame checker on arbitrary received bytes: it either
// refuses them or copies a payload that lies inside them.
#include "misframe.h"

#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The text needs room for the payload and its NUL; the payload is shorter than the frame.
    std::vector<char> text(size + 1, '\x7f');
    const int result = parseMisData(data, static_cast<int>(size), text.data());
    if (result == 0) {
        const std::size_t length = declaredPayloadLength(data);
        if (length + kFrameOverheadBytes > size || text[length] != '\0'
            || std::memcmp(text.data(), data + kFrameHeaderBytes, length) != 0)
            std::abort();
    } else if (result != kFrameInvalid) {
        std::abort();
    }
    return 0;
}
