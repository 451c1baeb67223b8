// The TUSN and the security keys in the enciphered key file.
#include "support/fileformat.h"
#include "support/securitydirfixture.h"

#include "welkrin/welkrin.h"

#include <cjson/cJSON.h>

#include <cctype>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using welkrintest::encipherToHex;
using welkrintest::SecurityDirFixture;

using JsonPtr = std::unique_ptr<cJSON, decltype(&cJSON_Delete)>;

JsonPtr parse(const std::string &json)
{
    return JsonPtr(cJSON_Parse(json.c_str()), &cJSON_Delete);
}

using Members = std::vector<std::pair<std::string, std::string>>;

// Name and value of every member, in file order, names as stored.
Members membersOf(const std::string &json)
{
    const JsonPtr object = parse(json);
    EXPECT_TRUE(cJSON_IsObject(object.get())) << json;
    Members members;
    const cJSON *member = nullptr;
    cJSON_ArrayForEach(member, object.get())
        members.emplace_back(member->string, cJSON_IsString(member) ? member->valuestring : "<not a string>");
    return members;
}

class WelkrinKeyStore : public SecurityDirFixture
{
protected:
    std::string tusn()
    {
        char out[WELKRIN_TUSN_BUFFER_SIZE] = {};
        EXPECT_EQ(getTusn(out), WELKRIN_OK);
        return out;
    }

    std::string key(const char *index)
    {
        char out[WELKRIN_KEY_BUFFER_SIZE] = {};
        EXPECT_EQ(getSecurityKey(index, out), WELKRIN_OK) << index;
        return out;
    }
};

TEST_F(WelkrinKeyStore, TusnSetWithoutKeyFileIsWrittenEncipheredAndReadBack)
{
    ASSERT_EQ(setTusn("T1000-0042"), WELKRIN_OK);
    EXPECT_EQ(tusn(), "T1000-0042");

    const std::string content = keyFileContent();
    EXPECT_EQ(content.find_first_not_of("0123456789ABCDEF"), std::string::npos) << content;
    EXPECT_EQ(content.size() % 16, 0u);
    const std::string plain = welkrintest::decipherFromHex(content);
    const std::string json = welkrintest::untilFirstZero(plain);
    EXPECT_EQ(plain.find_first_not_of('\0', json.size()), std::string::npos) << "padding is zero bytes";
    EXPECT_LT(plain.size() - json.size(), 8u);
    EXPECT_NE(json.find('\n'), std::string::npos) << "printed formatted: " << json;
    EXPECT_EQ(membersOf(json), (Members{{"tusn", "T1000-0042"}}));
}

TEST_F(WelkrinKeyStore, SettingTusnTwiceKeepsOneMemberWithTheSecondValue)
{
    ASSERT_EQ(setTusn("first"), WELKRIN_OK);
    ASSERT_EQ(setTusn("second"), WELKRIN_OK);
    EXPECT_EQ(tusn(), "second");
    EXPECT_EQ(membersOf(keyFileJson()), (Members{{"tusn", "second"}}));
}

TEST_F(WelkrinKeyStore, KeysAreKeptByIndexBesideTheTusn)
{
    ASSERT_EQ(setSecurityKey("1", "0123456789ABCDEF0123456789ABCDEF"), WELKRIN_OK);
    ASSERT_EQ(setTusn("T1"), WELKRIN_OK);
    ASSERT_EQ(setSecurityKey("main", "other key"), WELKRIN_OK);

    EXPECT_EQ(key("1"), "0123456789ABCDEF0123456789ABCDEF");
    EXPECT_EQ(key("main"), "other key");
    EXPECT_EQ(tusn(), "T1");
    char out[WELKRIN_KEY_BUFFER_SIZE] = "untouched";
    EXPECT_EQ(getSecurityKey("2", out), WELKRIN_MEMBER_NOT_FOUND);
    EXPECT_STREQ(out, "untouched");
    EXPECT_EQ(membersOf(keyFileJson()),
              (Members{{"idx1", "0123456789ABCDEF0123456789ABCDEF"}, {"tusn", "T1"}, {"idxmain", "other key"}}));
}

TEST_F(WelkrinKeyStore, ForeignMembersAreKeptAndNamesIgnoreLetterCase)
{
    // Lower-case hexadecimal, upper-case names, a member nobody here uses.
    std::string hex = encipherToHex(R"({"TUSN":"old","merchant":"M-7","IDX7":"k7","count":3})");
    for (char &c : hex)
        c = static_cast<char>(tolower(c));
    writeKeyFile(hex);

    EXPECT_EQ(tusn(), "old");
    EXPECT_EQ(key("7"), "k7");

    ASSERT_EQ(setSecurityKey("1", "k1"), WELKRIN_OK);
    ASSERT_EQ(setTusn("new"), WELKRIN_OK);
    const std::string json = keyFileJson();
    EXPECT_EQ(membersOf(json),
              (Members{{"merchant", "M-7"}, {"IDX7", "k7"}, {"count", "<not a string>"}, {"idx1", "k1"}, {"tusn", "new"}}));
    EXPECT_EQ(cJSON_GetObjectItem(parse(json).get(), "count")->valueint, 3);
}

TEST_F(WelkrinKeyStore, SetReplacesEverySpellingOfTheName)
{
    writeKeyFile(encipherToHex(R"({"tusn":"a","Tusn":"b","TUSN":"c"})"));
    ASSERT_EQ(setTusn("d"), WELKRIN_OK);
    EXPECT_EQ(tusn(), "d");
    EXPECT_EQ(membersOf(keyFileJson()), (Members{{"tusn", "d"}}));
}

TEST_F(WelkrinKeyStore, MemberThatIsNotAStringIsNotFound)
{
    writeKeyFile(encipherToHex(R"({"tusn":12345,"idx1":null})"));
    char out[WELKRIN_KEY_BUFFER_SIZE] = "untouched";
    EXPECT_EQ(getTusn(out), WELKRIN_MEMBER_NOT_FOUND);
    EXPECT_EQ(getSecurityKey("1", out), WELKRIN_MEMBER_NOT_FOUND);
    EXPECT_STREQ(out, "untouched");
}

TEST_F(WelkrinKeyStore, SetLeavesOnlyTheKeyFileBehind)
{
    ASSERT_EQ(setTusn("T1"), WELKRIN_OK);
    ASSERT_EQ(setSecurityKey("1", "k1"), WELKRIN_OK);
    std::set<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(m_dir))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names, std::set<std::string>{"security.dll"});
}

TEST_F(WelkrinKeyStore, MissingKeyFile)
{
    char out[WELKRIN_KEY_BUFFER_SIZE] = "untouched";
    EXPECT_EQ(getTusn(out), WELKRIN_FILE_NOT_OPENED);
    EXPECT_EQ(getSecurityKey("1", out), WELKRIN_FILE_NOT_OPENED);
    EXPECT_STREQ(out, "untouched");
}

TEST_F(WelkrinKeyStore, KeyFileInADirectoryThatDoesNotExist)
{
    ASSERT_EQ(setSecurityPath((m_dir / "missing").c_str()), WELKRIN_OK);
    EXPECT_EQ(setTusn("T1"), WELKRIN_FILE_NOT_OPENED);
    EXPECT_EQ(setSecurityKey("1", "k1"), WELKRIN_FILE_NOT_OPENED);
    char out[WELKRIN_TUSN_BUFFER_SIZE];
    EXPECT_EQ(getTusn(out), WELKRIN_FILE_NOT_OPENED);
}

TEST_F(WelkrinKeyStore, EmptyKeyFileIsRefusedAndKept)
{
    writeKeyFile("");
    char out[WELKRIN_KEY_BUFFER_SIZE];
    EXPECT_EQ(getTusn(out), WELKRIN_KEY_FILE_EMPTY);
    EXPECT_EQ(getSecurityKey("1", out), WELKRIN_KEY_FILE_EMPTY);
    EXPECT_EQ(setTusn("T1"), WELKRIN_KEY_FILE_EMPTY);
    EXPECT_EQ(setSecurityKey("1", "k1"), WELKRIN_KEY_FILE_EMPTY);
    EXPECT_EQ(keyFileContent(), "");
}

TEST_F(WelkrinKeyStore, KeyFileThatCannotBeOpenedIsNotReplaced)
{
    // A link to itself exists but never opens, whoever runs the test.
    std::filesystem::create_symlink("security.dll", keyFilePath());

    EXPECT_EQ(setTusn("T1"), WELKRIN_FILE_NOT_OPENED);
    EXPECT_EQ(setSecurityKey("1", "k1"), WELKRIN_FILE_NOT_OPENED);
    char out[WELKRIN_TUSN_BUFFER_SIZE];
    EXPECT_EQ(getTusn(out), WELKRIN_FILE_NOT_OPENED);
    EXPECT_TRUE(std::filesystem::is_symlink(keyFilePath()));
}

// Contents that do not decipher into a JSON object: getters find nothing,
// setters refuse to touch the file.
struct KeyFileContent
{
    const char *name;
    std::string content;
};

void PrintTo(const KeyFileContent &file, std::ostream *out)
{
    *out << file.name;
}

class WelkrinUndecipherableKeyFile : public WelkrinKeyStore, public ::testing::WithParamInterface<KeyFileContent>
{
};

TEST_P(WelkrinUndecipherableKeyFile, GettersFindNothingAndSettersKeepTheFile)
{
    writeKeyFile(GetParam().content);
    char out[WELKRIN_KEY_BUFFER_SIZE] = "untouched";
    EXPECT_EQ(getTusn(out), WELKRIN_MEMBER_NOT_FOUND);
    EXPECT_EQ(getSecurityKey("1", out), WELKRIN_MEMBER_NOT_FOUND);
    EXPECT_STREQ(out, "untouched");
    EXPECT_EQ(setTusn("T1"), WELKRIN_KEY_FILE_NOT_JSON);
    EXPECT_EQ(setSecurityKey("1", "k1"), WELKRIN_KEY_FILE_NOT_JSON);
    EXPECT_EQ(keyFileContent(), GetParam().content);
}

INSTANTIATE_TEST_SUITE_P(
    Contents, WelkrinUndecipherableKeyFile,
    ::testing::Values(
        KeyFileContent{"plainJson", R"({"tusn":"plain","idx1":"k1"})"},
        KeyFileContent{"lineEndAfterHex", encipherToHex(R"({"tusn":"x"})") + "\n"},
        KeyFileContent{"notWholeBlocks", encipherToHex(R"({"tusn":"x"})").substr(2)},
        KeyFileContent{"notHexadecimal", encipherToHex(R"({"tusn":"x"})").replace(5, 1, "G")},
        KeyFileContent{"jsonArray", encipherToHex(R"(["tusn","x"])")},
        KeyFileContent{"objectThenText", encipherToHex(R"({"tusn":"x"} trailing)")},
        KeyFileContent{"cutShort", encipherToHex(R"({"tusn":"x")")},
        KeyFileContent{"otherKey", "0123456789ABCDEF0123456789ABCDEF"},
        KeyFileContent{"longerThanAnyKeyFile", encipherToHex(R"({"tusn":"x"})") + std::string(6144, '0')}),
    [](const ::testing::TestParamInfo<KeyFileContent> &info) { return std::string(info.param.name); });

} // namespace
