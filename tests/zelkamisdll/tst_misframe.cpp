#include "libraryfixture.h"
#include "misframe.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{

using Bytes = std::vector<unsigned char>;

Bytes packed(const std::string& text)
{
    Bytes frame(text.size() + kFrameOverheadBytes);
    EXPECT_EQ(packMisData(text.c_str(), frame.data()), 0);
    return frame;
}

class ZelkamisMisFrameTest : public LibraryFixture
{
};

TEST_F(ZelkamisMisFrameTest, PacksHandshakeEmptyAndLongPayloads)
{
    EXPECT_EQ(packed("{99}"), (Bytes { 0x02, 0x00, 0x04, 0x7B, 0x39, 0x39, 0x7D, 0x03, 0x42 }));
    EXPECT_EQ(packed(""), (Bytes { 0x02, 0x00, 0x00, 0x03, 0x00 }));

    const Bytes frame = packed(std::string(300, 'a'));
    ASSERT_EQ(frame.size(), 305u);
    EXPECT_EQ(frame[1], 0x01);
    EXPECT_EQ(frame[2], 0x2C);
    EXPECT_EQ(frame[303], 0x03);
    EXPECT_EQ(frame[304], 0x44); // an even number of equal bytes cancels out
}

TEST_F(ZelkamisMisFrameTest, CheckByteCoversThePayloadOnly)
{
    EXPECT_EQ(calcLrc(nullptr, 3), 0x00);
    const unsigned char one[] = { 0x10 };
    EXPECT_EQ(calcLrc(one, 0), 0x00);
    EXPECT_EQ(calcLrc(one, 1), 0x54);
    const unsigned char many[] = { 0x01, 0x02, 0x04, 0x80 };
    EXPECT_EQ(calcLrc(many, 4), 0x44 ^ 0x87);
}

TEST_F(ZelkamisMisFrameTest, RendersUpperCaseHexWithoutSeparators)
{
    const unsigned char bytes[] = { 0x02, 0x00, 0x04, 0xAB, 0xF0 };
    char out[11] = {};
    EXPECT_EQ(toHexText(bytes, 5, out), out);
    EXPECT_STREQ(out, "020004ABF0");
}

struct ParseCase {
    const char* name;
    Bytes data;
    int expectedResult;
    std::string expectedText; // payload on success, the logged reason on failure
};

Bytes withTrailingBytes()
{
    Bytes frame = packed("{\"a\":1}");
    frame.insert(frame.end(), { 0x02, 0x00, 0xFF });
    return frame;
}

Bytes lengthOneOver()
{
    Bytes frame = packed("abc");
    frame[2] = 4; // declares four payload bytes where three arrived
    return frame;
}

Bytes badEtxAndLrc()
{
    Bytes frame = packed("abc");
    frame[6] = 0x04;
    frame[7] ^= 0xFF;
    return frame;
}

Bytes lrcOffByOne()
{
    Bytes frame = packed("{99}");
    frame[8] = 0x43;
    return frame;
}

const std::vector<ParseCase> kParseCases = {
    { "handshake", packed("{99}"), 0, "{99}" },
    { "empty payload", { 0x02, 0x00, 0x00, 0x03, 0x00 }, 0, "" },
    { "trailing bytes ignored", withTrailingBytes(), 0, "{\"a\":1}" },
    { "format characters kept", packed("%d%s%n%%"), 0, "%d%s%n%%" },
    { "wrong start byte", { 0x03, 0x00, 0x00, 0x03, 0x00 }, -8, "parseMisData, STR(02) is invalid" },
    { "length one over", lengthOneOver(), -8, "parseMisData, context length(4) > recvLength(3) is invalid" },
    { "ETX checked before LRC", badEtxAndLrc(), -8, "parseMisData, ETX(03) is invalid" },
    { "LRC off by one, received first", lrcOffByOne(), -8, "parseMisData, lrc(43) != lrc(42), is invalid" },
    { "four bytes", { 0x02, 0x00, 0x00, 0x03 }, -8,
        "parseMisData, context length(0) > recvLength(-1) is invalid" },
    { "one byte, not STX", { 0x7B }, -8, "parseMisData, STR(02) is invalid" },
    { "two bytes", { 0x02, 0x00 }, -8, "recvLength(-3) is invalid" },
};

TEST_F(ZelkamisMisFrameTest, ParsesOrRefusesWithTheReason)
{
    for (const ParseCase& c : kParseCases) {
        SCOPED_TRACE(c.name);
        clearLogs();
        std::vector<char> text(c.data.size() + 1, '#');
        const int result = parseMisData(c.data.data(), static_cast<int>(c.data.size()), text.data());
        EXPECT_EQ(result, c.expectedResult);
        if (result == 0) {
            EXPECT_EQ(std::string(text.data()), c.expectedText);
        } else {
            EXPECT_EQ(text[0], '#') << "text must stay as it was";
            EXPECT_NE(logs().find("[trans:"), std::string::npos);
            EXPECT_NE(logs().find(c.expectedText), std::string::npos) << logs();
        }
    }
}

} // namespace
