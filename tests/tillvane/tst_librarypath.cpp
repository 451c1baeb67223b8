#include "librarypath.h"

#include <gtest/gtest.h>

TEST(ResolveLibraryPath, FollowsTheNameRules)
{
    const QString dir = QStringLiteral("/opt/till");
    const struct {
        const char* name;
        const char* expected;
    } cases[] = {
        {"./libzelkamisdll.so", "/opt/till/libzelkamisdll.so"},
        {"./sub/lib.so", "/opt/till/sub/lib.so"},
        {"lib.so", "/opt/till/lib.so"},
        {"/abs/lib.so", "/opt/till/abs/lib.so"},
        {"D:/pos/lib.dll", "D:/pos/lib.dll"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(resolveLibraryPath(QString::fromUtf8(c.name), dir), QString::fromUtf8(c.expected)) << c.name;
}
