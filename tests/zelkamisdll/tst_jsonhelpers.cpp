#include "libraryfixture.h"
#include "utils.h"

#include <gtest/gtest.h>

namespace
{

class ZelkamisJsonHelpersTest : public LibraryFixture
{
protected:
    void SetUp() override
    {
        LibraryFixture::SetUp();
        ASSERT_TRUE(parseJsonDocument(R"({"s":"text","num":"30","lead":" 12x","word":"abc","i":42,"neg":-7,
            "big":4294967296,"d":1.5,"n":null,"t":true,"f":false,"o":{"x":1},"a":[1]})",
            document));
    }
    Json::Value document;
};

TEST_F(ZelkamisJsonHelpersTest, StringValues)
{
    const struct {
        const char* key;
        const char* expected;
        bool logged;
    } cases[] = {
        { "s", "text", false },
        { "i", "42", false },
        { "neg", "-7", false },
        { "big", "4294967296", false },
        { "d", "1.5", false },
        { "n", "", false },
        { "t", "true", false },
        { "f", "false", false },
        { "missing", "", false },
        { "o", "", true },
        { "a", "", true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(getJsonString(document, c.key), c.expected);
        const std::string line = std::string("json get key(") + c.key + ") string value exception";
        EXPECT_EQ(logs().find(line) != std::string::npos, c.logged);
    }
}

TEST_F(ZelkamisJsonHelpersTest, IntValues)
{
    const struct {
        const char* key;
        int expected;
        bool logged;
    } cases[] = {
        { "num", 30, false },
        { "lead", 12, false },
        { "word", 0, false },
        { "s", 0, false },
        { "i", 42, false },
        { "neg", -7, false },
        { "d", 1, false },
        { "t", 1, false },
        { "f", 0, false },
        { "n", 0, false },
        { "missing", -1, false },
        { "o", -1, true },
        { "a", -1, true },
        { "big", -1, true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(getJsonInt(document, c.key), c.expected);
        const std::string line = std::string("json get key(") + c.key + ") int value exception";
        EXPECT_EQ(logs().find(line) != std::string::npos, c.logged);
    }
}

TEST_F(ZelkamisJsonHelpersTest, DocumentsThatAreNotObjectsHaveNoMembers)
{
    Json::Value number;
    ASSERT_TRUE(parseJsonDocument("0", number));
    EXPECT_TRUE(isEmptyDocument(number));
    EXPECT_EQ(getJsonString(number, "mode"), "");
    EXPECT_EQ(getJsonInt(number, "port"), -1);

    Json::Value empty;
    ASSERT_TRUE(parseJsonDocument("/* settings */ {}", empty));
    EXPECT_FALSE(isEmptyDocument(empty));
}

TEST_F(ZelkamisJsonHelpersTest, IndentedTextForTheLog)
{
    Json::Value small;
    ASSERT_TRUE(parseJsonDocument(R"({"b":1,"a":"x"})", small));
    EXPECT_EQ(json2String(small), "{\n   \"a\" : \"x\",\n   \"b\" : 1\n}\n");
}

} // namespace
