// saveEncrpyData / getEncrpyData: enciphered data files at the caller's path.
#include "support/fileformat.h"
#include "support/securitydirfixture.h"

#include "welkrin/welkrin.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace {

using welkrintest::SecurityDirFixture;

constexpr char kCanary = '#';

class WelkrinDataFile : public SecurityDirFixture
{
protected:
    std::string dataPath() const { return (m_dir / "data.txt").string(); }

    // Reads the data file into a buffer larger than its text; checks that
    // nothing beyond the stored length was written.
    std::string load(const std::string &path, int expectedResult)
    {
        std::string out(WELKRIN_DATA_TEXT_MAX + 16, kCanary);
        const int result = getEncrpyData(path.c_str(), out.data());
        EXPECT_EQ(result, expectedResult);
        const size_t written = result > 0 ? static_cast<size_t>(result) : 0;
        EXPECT_EQ(out.find_first_not_of(kCanary, written), std::string::npos) << "wrote past the stored length";
        return out.substr(0, written);
    }
};

TEST_F(WelkrinDataFile, ThirteenBytesTakeTwoBlocks)
{
    const std::string text = "Hello, world!";
    ASSERT_EQ(saveEncrpyData(dataPath().c_str(), text.c_str()), WELKRIN_OK);

    const std::string content = readFile(dataPath());
    ASSERT_EQ(content.size(), 4u + 2 * 16);
    EXPECT_EQ(content.substr(0, 4), "0013");
    EXPECT_EQ(content.find_first_not_of("0123456789ABCDEF", 4), std::string::npos) << content;
    EXPECT_EQ(welkrintest::decipherFromHex(content.substr(4)), text + std::string(3, '\0'));

    EXPECT_EQ(load(dataPath(), 13), text);
}

TEST_F(WelkrinDataFile, EveryLengthAroundTheBlockSizeRoundTrips)
{
    const std::string alphabet = "abcdefghijklmnopqrstuvwxyz";
    // Longest first, so each save also has to replace a longer old file.
    for (int length = 17; length >= 0; --length) {
        SCOPED_TRACE(length);
        const std::string text = alphabet.substr(0, static_cast<size_t>(length));
        ASSERT_EQ(saveEncrpyData(dataPath().c_str(), text.c_str()), WELKRIN_OK);
        EXPECT_EQ(readFile(dataPath()).size(), 4 + 16 * ((text.size() + 7) / 8));
        EXPECT_EQ(load(dataPath(), length), text);
    }
}

TEST_F(WelkrinDataFile, Utf8TextRoundTripsByteForByte)
{
    const std::string text = "终端密钥 – ключ – clé";
    ASSERT_EQ(saveEncrpyData(dataPath().c_str(), text.c_str()), WELKRIN_OK);
    EXPECT_EQ(load(dataPath(), static_cast<int>(text.size())), text);
}

TEST_F(WelkrinDataFile, LongestTextRoundTripsAndALongerOneChangesNothing)
{
    const std::string longest(WELKRIN_DATA_TEXT_MAX, 'z');
    ASSERT_EQ(saveEncrpyData(dataPath().c_str(), longest.c_str()), WELKRIN_OK);
    EXPECT_EQ(readFile(dataPath()).substr(0, 4), "9999");
    EXPECT_EQ(load(dataPath(), WELKRIN_DATA_TEXT_MAX), longest);

    ASSERT_EQ(saveEncrpyData(dataPath().c_str(), "kept"), WELKRIN_OK);
    EXPECT_EQ(saveEncrpyData(dataPath().c_str(), std::string(WELKRIN_DATA_TEXT_MAX + 1, 'z').c_str()),
              WELKRIN_BAD_ARGUMENT);
    EXPECT_EQ(load(dataPath(), 4), "kept");
}

TEST_F(WelkrinDataFile, HexadecimalOfEitherCaseIsRead)
{
    ASSERT_EQ(saveEncrpyData(dataPath().c_str(), "mixed case"), WELKRIN_OK);
    std::string content = readFile(dataPath());
    std::transform(content.begin(), content.end(), content.begin(), [](unsigned char c) { return std::tolower(c); });
    writeFile(dataPath(), content);
    EXPECT_EQ(load(dataPath(), 10), "mixed case");
}

TEST_F(WelkrinDataFile, MissingFileAndUnwritablePath)
{
    load(dataPath(), WELKRIN_FILE_NOT_OPENED);
    EXPECT_EQ(saveEncrpyData((m_dir / "missing" / "data.txt").c_str(), "text"), WELKRIN_FILE_NOT_OPENED);
}

TEST_F(WelkrinDataFile, NullOrEmptyArgumentsAreRefused)
{
    char out[16];
    EXPECT_EQ(saveEncrpyData(nullptr, "text"), WELKRIN_BAD_ARGUMENT);
    EXPECT_EQ(saveEncrpyData("", "text"), WELKRIN_BAD_ARGUMENT);
    EXPECT_EQ(saveEncrpyData(dataPath().c_str(), nullptr), WELKRIN_BAD_ARGUMENT);
    EXPECT_EQ(getEncrpyData(nullptr, out), WELKRIN_BAD_ARGUMENT);
    EXPECT_EQ(getEncrpyData("", out), WELKRIN_BAD_ARGUMENT);
    EXPECT_EQ(getEncrpyData(dataPath().c_str(), nullptr), WELKRIN_BAD_ARGUMENT);
    EXPECT_FALSE(std::filesystem::exists(dataPath()));
}

// Files that are not exactly one data file are refused without writing to out.
struct DataFileDamage
{
    const char *name;
    std::string (*damage)(std::string content);
};

void PrintTo(const DataFileDamage &damage, std::ostream *out)
{
    *out << damage.name;
}

class WelkrinBrokenDataFile : public WelkrinDataFile, public ::testing::WithParamInterface<DataFileDamage>
{
};

TEST_P(WelkrinBrokenDataFile, IsRefused)
{
    ASSERT_EQ(saveEncrpyData(dataPath().c_str(), "Hello, world!"), WELKRIN_OK);
    writeFile(dataPath(), GetParam().damage(readFile(dataPath())));
    load(dataPath(), WELKRIN_FILE_NOT_OPENED);
}

INSTANTIATE_TEST_SUITE_P(
    Contents, WelkrinBrokenDataFile,
    ::testing::Values(
        DataFileDamage{"empty", [](std::string) { return std::string(); }},
        DataFileDamage{"lengthOnlyPart", [](std::string) { return std::string("00"); }},
        DataFileDamage{"lengthNotDigits", [](std::string c) { return c.replace(0, 4, "0x0D"); }},
        DataFileDamage{"lengthSigned", [](std::string c) { return c.replace(0, 4, "-013"); }},
        DataFileDamage{"lengthSpacePadded", [](std::string c) { return c.replace(0, 4, "  13"); }},
        DataFileDamage{"lengthBeyondBlocks", [](std::string c) { return c.replace(0, 4, "0017"); }},
        DataFileDamage{"lastBlockMissing", [](std::string c) { return c.substr(0, 4 + 16); }},
        DataFileDamage{"lastBlockCut", [](std::string c) { return c.substr(0, c.size() - 1); }},
        DataFileDamage{"extraBlock", [](std::string c) { return c + c.substr(4, 16); }},
        DataFileDamage{"lineEnd", [](std::string c) { return c + "\n"; }},
        DataFileDamage{"notHexadecimal", [](std::string c) { return c.replace(10, 1, "G"); }},
        DataFileDamage{"longerThanAnyDataFile", [](std::string c) { return c + std::string(20000, '0'); }}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
