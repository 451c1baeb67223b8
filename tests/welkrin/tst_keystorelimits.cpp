// Arguments the key store refuses, and the limits of its texts and buffers.
#include "support/fileformat.h"
#include "support/securitydirfixture.h"

#include "welkrin/welkrin.h"

#include <algorithm>
#include <string>

namespace {

using welkrintest::encipherToHex;
using welkrintest::SecurityDirFixture;

class WelkrinKeyStoreLimits : public SecurityDirFixture
{
};

TEST_F(WelkrinKeyStoreLimits, NullOrEmptyArgumentsAreRefusedBeforeAnyFileIsTouched)
{
    ASSERT_EQ(setTusn("kept"), WELKRIN_OK);
    const std::string before = keyFileContent();
    char out[WELKRIN_KEY_BUFFER_SIZE];

    EXPECT_EQ(setTusn(nullptr), WELKRIN_BAD_ARGUMENT);
    EXPECT_EQ(setTusn(""), WELKRIN_BAD_ARGUMENT);
    EXPECT_EQ(getTusn(nullptr), WELKRIN_BAD_ARGUMENT);
    EXPECT_EQ(setSecurityKey(nullptr, "k"), WELKRIN_BAD_ARGUMENT);
    EXPECT_EQ(setSecurityKey("", "k"), WELKRIN_BAD_ARGUMENT);
    EXPECT_EQ(setSecurityKey("1", nullptr), WELKRIN_BAD_ARGUMENT);
    EXPECT_EQ(setSecurityKey("1", ""), WELKRIN_BAD_ARGUMENT);
    EXPECT_EQ(getSecurityKey(nullptr, out), WELKRIN_BAD_ARGUMENT);
    EXPECT_EQ(getSecurityKey("", out), WELKRIN_BAD_ARGUMENT);
    EXPECT_EQ(getSecurityKey("1", nullptr), WELKRIN_BAD_ARGUMENT);

    EXPECT_EQ(keyFileContent(), before);
}

TEST_F(WelkrinKeyStoreLimits, EmptySecurityPathIsRefusedAndTheOldOneStays)
{
    ASSERT_EQ(setTusn("here"), WELKRIN_OK);
    EXPECT_EQ(setSecurityPath(nullptr), WELKRIN_BAD_ARGUMENT);
    EXPECT_EQ(setSecurityPath(""), WELKRIN_BAD_ARGUMENT);
    EXPECT_EQ(setSecurityPath(std::string(WELKRIN_PATH_MAX, 'd').c_str()), WELKRIN_BAD_ARGUMENT);
    char out[WELKRIN_TUSN_BUFFER_SIZE];
    ASSERT_EQ(getTusn(out), WELKRIN_OK);
    EXPECT_STREQ(out, "here");
}

struct TextLimit
{
    const char *what;
    size_t maxLength;
};

void PrintTo(const TextLimit &limit, std::ostream *out)
{
    *out << limit.what << " of " << limit.maxLength;
}

class WelkrinValueLimits : public SecurityDirFixture, public ::testing::WithParamInterface<TextLimit>
{
protected:
    bool isTusn() const { return std::string(GetParam().what) == "tusn"; }
    int set(const std::string &value) const
    {
        return isTusn() ? setTusn(value.c_str()) : setSecurityKey("1", value.c_str());
    }
    int get(char *out) const { return isTusn() ? getTusn(out) : getSecurityKey("1", out); }
};

TEST_P(WelkrinValueLimits, LongestValueFitsTheBufferExactly)
{
    const std::string longest(GetParam().maxLength, 'v');
    ASSERT_EQ(set(longest), WELKRIN_OK);
    std::string out(GetParam().maxLength + 1 + 16, '#');
    ASSERT_EQ(get(out.data()), WELKRIN_OK);
    EXPECT_EQ(out.substr(0, longest.size() + 1), longest + '\0');
    EXPECT_EQ(out.substr(longest.size() + 1), std::string(16, '#')) << "wrote past the buffer";
}

TEST_P(WelkrinValueLimits, LongerValueIsRefusedAndChangesNothing)
{
    ASSERT_EQ(set("short"), WELKRIN_OK);
    const std::string before = keyFileContent();
    EXPECT_EQ(set(std::string(GetParam().maxLength + 1, 'v')), WELKRIN_BAD_ARGUMENT);
    EXPECT_EQ(keyFileContent(), before);
}

TEST_P(WelkrinValueLimits, StoredValueTooLongForTheBufferIsNotCopied)
{
    const std::string tooLong(GetParam().maxLength + 1, 'v');
    writeKeyFile(encipherToHex(R"({"tusn":")" + tooLong + R"(","idx1":")" + tooLong + R"("})"));
    std::string out(GetParam().maxLength + 1 + 16, '#');
    EXPECT_EQ(get(out.data()), WELKRIN_MEMBER_NOT_FOUND);
    EXPECT_EQ(out, std::string(out.size(), '#'));
}

INSTANTIATE_TEST_SUITE_P(Values, WelkrinValueLimits,
                         ::testing::Values(TextLimit{"tusn", WELKRIN_TUSN_BUFFER_SIZE - 1},
                                           TextLimit{"key", WELKRIN_KEY_BUFFER_SIZE - 1}),
                         [](const ::testing::TestParamInfo<TextLimit> &info) { return std::string(info.param.what); });

TEST_F(WelkrinKeyStoreLimits, KeyFileTextIsBoundedAndAFullFileIsKept)
{
    const std::string key(WELKRIN_KEY_BUFFER_SIZE - 1, 'k');
    int index = 1;
    int result = setSecurityKey("1", key.c_str());
    std::string lastGood;
    while (result == WELKRIN_OK && index < 100) {
        lastGood = keyFileContent();
        result = setSecurityKey(std::to_string(++index).c_str(), key.c_str());
    }
    ASSERT_EQ(result, WELKRIN_BAD_ARGUMENT) << "after " << index << " keys";
    EXPECT_EQ(keyFileContent(), lastGood);
    EXPECT_LE(lastGood.size(), 2u * WELKRIN_KEY_FILE_TEXT_MAX);

    char out[WELKRIN_KEY_BUFFER_SIZE];
    for (int stored = 1; stored < index; ++stored) {
        ASSERT_EQ(getSecurityKey(std::to_string(stored).c_str(), out), WELKRIN_OK) << stored;
        EXPECT_EQ(out, key);
    }
    EXPECT_EQ(getSecurityKey(std::to_string(index).c_str(), out), WELKRIN_MEMBER_NOT_FOUND);
    // The file still takes a change that keeps it within the limit.
    EXPECT_EQ(setSecurityKey("1", "short"), WELKRIN_OK);
}

} // namespace
