// The signature digest against the RFC 1321 test suite. Each message is also
// split between the two parts, which are digested as one text.
#include "md5sign.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

namespace {

struct Md5Vector
{
    const char *message;
    const char *digest;
};

void PrintTo(const Md5Vector &vector, std::ostream *out)
{
    *out << '"' << vector.message << '"';
}

class WelkrinMd5Vectors : public ::testing::TestWithParam<Md5Vector>
{
};

std::string upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

TEST_P(WelkrinMd5Vectors, DigestIsUpperCaseHexWhereverTheTextIsSplit)
{
    const std::string message = GetParam().message;
    const std::string expected = upper(GetParam().digest);
    for (size_t split : {size_t{0}, message.size() / 2, message.size()}) {
        SCOPED_TRACE(split);
        char out[MD5_SIGN_TEXT_SIZE + 1];
        std::fill(std::begin(out), std::end(out), '#');
        md5SignUpper(message.substr(0, split).c_str(), message.substr(split).c_str(), out);
        EXPECT_EQ(std::string(out), expected);
        EXPECT_EQ(out[MD5_SIGN_TEXT_SIZE], '#') << "wrote past the signature";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rfc1321, WelkrinMd5Vectors,
    ::testing::Values(
        Md5Vector{"", "d41d8cd98f00b204e9800998ecf8427e"},
        Md5Vector{"a", "0cc175b9c0f1b6a831c399e269772661"},
        Md5Vector{"abc", "900150983cd24fb0d6963f7d28e17f72"},
        Md5Vector{"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        Md5Vector{"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        Md5Vector{"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
                  "d174ab98d277d9f5a5611c2c9f419d9f"},
        Md5Vector{"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
                  "57edf4a22be3c955ac49da2e2107b67a"}));

} // namespace
