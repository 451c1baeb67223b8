// The key file holding arbitrary content. The first byte chooses how the rest
// becomes the file: as it is, or (odd) as plain text the library's cipher
// enciphers first, so that the JSON reader sees arbitrary text too. Reading a
// member, setting one and reading it back must agree.
#include "descipher.h"
#include "hextext.h"
#include "keystore.h"
#include "scratchfile.h"
#include "securitypath.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace
{

const ScratchFile& keyFile()
{
    static const ScratchFile file(KEY_FILE_NAME);
    return file;
}

std::string enciphered(const uint8_t* text, size_t size)
{
    std::vector<uint8_t> blocks(desPaddedLength(size), 0);
    std::copy(text, text + size, blocks.begin());
    if (!fixedKeyCipher(DES_ENCIPHER, blocks.data(), blocks.size()))
        std::abort();
    std::string hex(2 * blocks.size(), '\0');
    hexEncodeUpper(blocks.data(), blocks.size(), hex.data());
    return hex;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    if (!securityPathSet(keyFile().directory().c_str()))
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    if (data[0] & 1) {
        const std::string hex = enciphered(data + 1, size - 1);
        keyFile().write(hex.data(), hex.size());
    } else {
        keyFile().write(data + 1, size - 1);
    }

    char tusn[WELKRIN_TUSN_BUFFER_SIZE];
    char key[WELKRIN_KEY_BUFFER_SIZE];
    keyStoreRead(TUSN_MEMBER, tusn, sizeof tusn);
    keyStoreRead(KEY_MEMBER_PREFIX "1", key, sizeof key);

    if (keyStoreWrite(TUSN_MEMBER, "T1") == WELKRIN_OK
        && (keyStoreRead(TUSN_MEMBER, tusn, sizeof tusn) != WELKRIN_OK || std::strcmp(tusn, "T1") != 0))
        std::abort();
    return 0;
}
