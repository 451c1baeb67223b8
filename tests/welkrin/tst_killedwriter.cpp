// The key file and a data file survive a writer killed at any moment: what is
// left is the old or the new content, whole.
#include "support/securitydirfixture.h"

#include "killedwriter.h"
#include "welkrin/welkrin.h"

#include <set>
#include <string>

namespace {

using welkrintest::SecurityDirFixture;

class WelkrinKilledWriter : public SecurityDirFixture
{
};

constexpr int kRounds = 40;
constexpr int kMaxPauseMicroseconds = 20000;

TEST_F(WelkrinKilledWriter, KeyFileHoldsTheOldOrTheNewMembers)
{
    // Many keys make the file long enough to take several writes.
    const std::string keyA(200, 'a');
    const std::string keyB(200, 'b');
    for (const char *index : {"1", "2", "3", "4", "5", "6", "7", "8"})
        ASSERT_EQ(setSecurityKey(index, keyA.c_str()), WELKRIN_OK);
    const std::set<std::string> whole = {"T-first", "T-second"};
    ASSERT_EQ(setTusn("T-first"), WELKRIN_OK);

    killWriterRepeatedly(
        [&] {
            setTusn("T-second");
            setSecurityKey("8", keyB.c_str());
            setTusn("T-first");
            setSecurityKey("8", keyA.c_str());
        },
        [&] {
            char tusn[WELKRIN_TUSN_BUFFER_SIZE] = {};
            ASSERT_EQ(getTusn(tusn), WELKRIN_OK);
            EXPECT_EQ(whole.count(tusn), 1u) << tusn;
            char key[WELKRIN_KEY_BUFFER_SIZE] = {};
            for (const char *index : {"1", "7"}) {
                ASSERT_EQ(getSecurityKey(index, key), WELKRIN_OK);
                EXPECT_EQ(key, keyA);
            }
            ASSERT_EQ(getSecurityKey("8", key), WELKRIN_OK);
            EXPECT_TRUE(key == keyA || key == keyB);
        },
        kRounds, kMaxPauseMicroseconds);
}

TEST_F(WelkrinKilledWriter, DataFileHoldsTheOldOrTheNewText)
{
    const std::string path = (m_dir / "receipt.dat").string();
    const std::string first(9000, 'x');
    const std::string second = "short text";
    ASSERT_EQ(saveEncrpyData(path.c_str(), first.c_str()), WELKRIN_OK);

    killWriterRepeatedly(
        [&] {
            saveEncrpyData(path.c_str(), second.c_str());
            saveEncrpyData(path.c_str(), first.c_str());
        },
        [&] {
            std::string out(WELKRIN_DATA_TEXT_MAX + 1, '\0');
            const int length = getEncrpyData(path.c_str(), out.data());
            ASSERT_GE(length, 0);
            out.resize(static_cast<size_t>(length));
            EXPECT_TRUE(out == first || out == second) << out.size() << " bytes";
        },
        kRounds, kMaxPauseMicroseconds);
}

} // namespace
