#include "fileformat.h"

#include "descipher.h"
#include "hextext.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace welkrintest {

std::string encipherToHex(const std::string &plain)
{
    std::vector<uint8_t> bytes(plain.begin(), plain.end());
    bytes.resize(desPaddedLength(bytes.size()), 0);
    EXPECT_TRUE(fixedKeyCipher(DES_ENCIPHER, bytes.data(), bytes.size()));
    std::string hex(2 * bytes.size(), '?');
    hexEncodeUpper(bytes.data(), bytes.size(), hex.data());
    return hex;
}

std::string decipherFromHex(const std::string &hex)
{
    std::vector<uint8_t> bytes(hex.size() / 2);
    EXPECT_EQ(hex.size() % (2 * DES_BLOCK_BYTES), 0u);
    EXPECT_TRUE(hexDecode(hex.data(), hex.size(), bytes.data()));
    EXPECT_TRUE(fixedKeyCipher(DES_DECIPHER, bytes.data(), bytes.size()));
    return std::string(bytes.begin(), bytes.end());
}

std::string untilFirstZero(const std::string &plain)
{
    return plain.substr(0, plain.find('\0'));
}

} // namespace welkrintest
