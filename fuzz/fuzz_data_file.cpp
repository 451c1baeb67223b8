// A data file holding arbitrary content. The first byte chooses how the rest
// becomes the file: as it is, or (odd) as a text the library saves itself.
// Whatever loads must save and load again to the same text.
#include "datafile.h"
#include "scratchfile.h"
#include "welkrin/welkrin.h"

#include <cstdlib>
#include <cstring>

namespace
{

const ScratchFile& dataFile()
{
    static const ScratchFile file("data.txt");
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const char* text = reinterpret_cast<const char*>(data + 1);
    if (data[0] & 1) {
        if (size - 1 > WELKRIN_DATA_TEXT_MAX)
            return 0;
        if (dataFileSave(dataFile().path().c_str(), text, size - 1) != WELKRIN_OK)
            std::abort();
    } else {
        dataFile().write(text, size - 1);
    }

    static char loaded[WELKRIN_DATA_TEXT_MAX];
    const int length = dataFileLoad(dataFile().path().c_str(), loaded);
    if (length == WELKRIN_FILE_NOT_OPENED) {
        if (data[0] & 1)
            std::abort();
        return 0;
    }
    if (length < 0 || length > WELKRIN_DATA_TEXT_MAX)
        std::abort();
    if ((data[0] & 1) && (static_cast<size_t>(length) != size - 1 || std::memcmp(loaded, text, size - 1) != 0))
        std::abort();

    static char again[WELKRIN_DATA_TEXT_MAX];
    if (dataFileSave(dataFile().path().c_str(), loaded, static_cast<size_t>(length)) != WELKRIN_OK
        || dataFileLoad(dataFile().path().c_str(), again) != length
        || std::memcmp(again, loaded, static_cast<size_t>(length)) != 0)
        std::abort();
    return 0;
}
