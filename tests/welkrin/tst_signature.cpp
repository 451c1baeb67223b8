// getSignResult: the upper-case MD5 of source followed by salt.
#include "welkrin/welkrin.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(WelkrinSignature, SignsSourceFollowedBySalt)
{
    char out[WELKRIN_SIGN_BUFFER_SIZE + 1];
    std::fill(std::begin(out), std::end(out), '#');
    ASSERT_EQ(getSignResult("abc", "x", out), WELKRIN_OK);
    EXPECT_STREQ(out, "B1A85930D233609029CC0B18A97B2D5D");
    EXPECT_EQ(out[WELKRIN_SIGN_BUFFER_SIZE], '#');
}

TEST(WelkrinSignature, RefusesMissingArgumentsWithoutWriting)
{
    char out[WELKRIN_SIGN_BUFFER_SIZE] = "untouched";
    EXPECT_EQ(getSignResult("abc", "", out), WELKRIN_SALT_EMPTY);
    EXPECT_EQ(getSignResult("abc", nullptr, out), WELKRIN_SALT_EMPTY);
    EXPECT_EQ(getSignResult("", "x", out), WELKRIN_BAD_ARGUMENT);
    EXPECT_EQ(getSignResult(nullptr, "x", out), WELKRIN_BAD_ARGUMENT);
    EXPECT_EQ(getSignResult(nullptr, nullptr, out), WELKRIN_BAD_ARGUMENT);
    EXPECT_EQ(getSignResult("abc", "x", nullptr), WELKRIN_BAD_ARGUMENT);
    EXPECT_STREQ(out, "untouched");
}

} // namespace
