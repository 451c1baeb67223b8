#include "textcodec.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

TEST(ZelkamisTextCodecTest, ConvertsBetweenGb18030AndUtf8)
{
    const struct {
        const char* name;
        std::string gb18030;
        std::string utf8;
    } cases[] = {
        { "ascii", "{\"CMD\":\"LOGON\"}", "{\"CMD\":\"LOGON\"}" },
        { "zhong", "\xD6\xD0", "\xE4\xB8\xAD" },
        { "mixed",
            "a\xD6\xD0"
            "b",
            "a\xE4\xB8\xAD"
            "b" },
        { "four-byte sequence", "\x81\x30\x86\x38", "\xC3\x80" }, // U+00C0 is outside GBK
        { "empty", "", "" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(gbkToUtf8(c.gb18030.c_str()), c.utf8);
        EXPECT_EQ(utf8ToGbk(c.utf8.c_str()), c.gb18030);
    }
}

TEST(ZelkamisTextCodecTest, UndecodableBytesBecomeReplacementsNotTruncation)
{
    EXPECT_EQ(utf8ToGbk("a\xFF"
                        "b\xE4\xB8"),
        "a?b??");
    EXPECT_EQ(gbkToUtf8("a\xFF"
                        "b\x81"),
        "a\xEF\xBF\xBD"
        "b\xEF\xBF\xBD");
}

TEST(ZelkamisTextCodecTest, LongTextsConvertWhole)
{
    std::string gb18030;
    std::string utf8;
    for (int i = 0; i < 3000; ++i) {
        gb18030 += "\xD6\xD0x";
        utf8 += "\xE4\xB8\xADx";
    }
    EXPECT_EQ(gbkToUtf8(gb18030.c_str()), utf8);
    EXPECT_EQ(utf8ToGbk(utf8.c_str()), gb18030);
}

} // namespace
