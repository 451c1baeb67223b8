// The settings file survives a writer killed at any moment: what is left is
// the old or the new settings, whole.
#include "killedwriter.h"
#include "libraryfixture.h"
#include "zelkamisdll.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace
{

class ZelkamisKilledWriter : public LibraryFixture
{
};

std::string settingsWithPort(int port)
{
    return "{\"charset\":\"gbk\",\"hostip\":\"127.0.0.1\",\"mode\":\"ETH\",\"port\":" + std::to_string(port)
        + ",\"timeout\":30}\n";
}

TEST_F(ZelkamisKilledWriter, SettingsFileHoldsTheOldOrTheNewSettings)
{
    writeSettings(settingsWithPort(7000));
    const std::set<std::string> whole = { settingsWithPort(7000), settingsWithPort(8000), settingsWithPort(9000) };

    killWriterRepeatedly(
        [] {
            setEthernet("127.0.0.1", 8000);
            setEthernet("127.0.0.1", 9000);
        },
        [&] {
            const std::string content = readFile(settingsPath());
            EXPECT_EQ(whole.count(content), 1u) << content;
        },
        40, 20000);
}

} // namespace
