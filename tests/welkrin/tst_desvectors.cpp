// DES in ECB mode against published known-answer vectors, and the checks on
// the key that the file formats depend on.
#include "descipher.h"
#include "hextext.h"
#include "welkrin/welkrin.h"

#include <gtest/gtest.h>

#include <nettle/des.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> bytesOf(const std::string &hex)
{
    std::vector<uint8_t> bytes(hex.size() / 2);
    EXPECT_TRUE(hexDecode(hex.data(), hex.size(), bytes.data())) << hex;
    return bytes;
}

std::string hexOf(const std::vector<uint8_t> &bytes)
{
    std::string hex(2 * bytes.size(), '?');
    hexEncodeUpper(bytes.data(), bytes.size(), hex.data());
    return hex;
}

struct DesVector
{
    const char *key;
    const char *plain;
    const char *cipher;
};

void PrintTo(const DesVector &vector, std::ostream *out)
{
    *out << "key " << vector.key;
}

class WelkrinDesVectors : public ::testing::TestWithParam<DesVector>
{
};

TEST_P(WelkrinDesVectors, EnciphersAndDeciphersEveryBlockOnItsOwn)
{
    const DesVector &vector = GetParam();
    const std::vector<uint8_t> key = bytesOf(vector.key);

    std::vector<uint8_t> data = bytesOf(vector.plain);
    ASSERT_TRUE(desEcb(key.data(), DES_ENCIPHER, data.data(), data.size()));
    EXPECT_EQ(hexOf(data), vector.cipher);

    ASSERT_TRUE(desEcb(key.data(), DES_DECIPHER, data.data(), data.size()));
    EXPECT_EQ(hexOf(data), vector.plain);
}

INSTANTIATE_TEST_SUITE_P(
    Published, WelkrinDesVectors,
    ::testing::Values(
        DesVector{"133457799BBCDFF1", "0123456789ABCDEF", "85E813540F0AB405"},
        DesVector{"0E329232EA6D0D73", "8787878787878787", "0000000000000000"},
        // Three blocks of ECB: "Now is the time for all ".
        DesVector{"0123456789ABCDEF", "4E6F772069732074" "68652074696D6520" "666F7220616C6C20",
                  "3FA40E8A984D4815" "6A271787AB8883F9" "893D51EC4B563B53"}));

TEST(WelkrinDesKey, FixedKeyIsEightTextBytesWithOddParityAndNotWeak)
{
    const std::string key = WELKRIN_FIXED_KEY_TEXT;
    ASSERT_EQ(key.size(), static_cast<size_t>(DES_KEY_BYTES));
    const auto *bytes = reinterpret_cast<const uint8_t *>(key.data());
    // Correct parity keeps the key valid for DES code that insists on it.
    EXPECT_TRUE(des_check_parity(key.size(), bytes));
    struct des_ctx context;
    EXPECT_EQ(des_set_key(&context, bytes), 1);
}

TEST(WelkrinDesKey, WeakKeyIsRefusedAndLeavesDataAlone)
{
    const std::vector<uint8_t> weakKey = bytesOf("0101010101010101");
    std::vector<uint8_t> data = bytesOf("0123456789ABCDEF");
    EXPECT_FALSE(desEcb(weakKey.data(), DES_ENCIPHER, data.data(), data.size()));
    EXPECT_EQ(hexOf(data), "0123456789ABCDEF");
}

TEST(WelkrinDesKey, PaddedLengthRoundsUpToWholeBlocks)
{
    const size_t lengths[][2] = {{0, 0}, {1, 8}, {7, 8}, {8, 8}, {9, 16}, {13, 16}, {16, 16}, {9999, 10000}};
    for (const auto &length : lengths)
        EXPECT_EQ(desPaddedLength(length[0]), length[1]) << length[0];
}

} // namespace
