#include "resolveconfigpath.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

namespace {

struct PathCase
{
    const char* name;
    QString input;
    QString expectedAfterProgramDir;
    bool keptAsIs; // the result is the input itself
};

void PrintTo(const PathCase& c, std::ostream* os)
{
    *os << c.name;
}

class ResolveConfigPathTest : public ::testing::TestWithParam<PathCase>
{
};

TEST_P(ResolveConfigPathTest, PlacesTheNameBesideTheProgram)
{
    const QString expected = GetParam().keptAsIs
                                 ? GetParam().input
                                 : QCoreApplication::applicationDirPath() + GetParam().expectedAfterProgramDir;

    EXPECT_EQ(resolveConfigPath(GetParam().input).toStdString(), expected.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Names, ResolveConfigPathTest,
    ::testing::Values(PathCase{"DotSlash", QStringLiteral("./server.ini"), QStringLiteral("/server.ini"), false},
                      PathCase{"DotSlashFolder", QStringLiteral("./logs"), QStringLiteral("/logs"), false},
                      PathCase{"Bare", QStringLiteral("server.ini"), QStringLiteral("/server.ini"), false},
                      PathCase{"LeadingSlash", QStringLiteral("/etc/server.ini"), QStringLiteral("/etc/server.ini"),
                               false},
                      PathCase{"DriveLetter", QStringLiteral("C:/pos/server.ini"), QString(), true},
                      PathCase{"Empty", QString(), QString(), true}),
    [](const ::testing::TestParamInfo<PathCase>& info) { return std::string(info.param.name); });

} // namespace
