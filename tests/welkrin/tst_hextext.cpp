// Hexadecimal text: written upper-case, read in either case, refused when broken.
#include "hextext.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace {

TEST(WelkrinHexText, WritesUpperCaseAndReadsEitherCase)
{
    const uint8_t bytes[] = {0x00, 0x9f, 0xa0, 0xff};
    char hex[8];
    hexEncodeUpper(bytes, sizeof bytes, hex);
    EXPECT_EQ(std::string(hex, sizeof hex), "009FA0FF");

    for (const std::string text : {"009FA0FF", "009fa0ff", "009Fa0fF"}) {
        uint8_t decoded[4] = {};
        ASSERT_TRUE(hexDecode(text.data(), text.size(), decoded)) << text;
        EXPECT_EQ(0, memcmp(decoded, bytes, sizeof bytes)) << text;
    }
}

TEST(WelkrinHexText, RefusesOddLengthAndNonDigits)
{
    for (const std::string text : {"0", "ABC", "0G", "g0", " 1", "1 ", "+1", "0x", "\n0"}) {
        uint8_t decoded[2];
        EXPECT_FALSE(hexDecode(text.data(), text.size(), decoded)) << '"' << text << '"';
    }
}

} // namespace
