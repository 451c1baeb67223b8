#pragma once

#include "tempdir.h"

#include <gtest/gtest.h>

#include <string>

// Every test gets its own settings and log directory, and a private empty current
// directory, so that the library's fallback to the current directory finds nothing.
class LibraryFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    std::string settingsPath() const { return dir.file("zelkamissetting.json"); }
    void writeSettings(const std::string& json) const { writeFile(settingsPath(), json); }
    std::string logs() const { return readLogs(dir.path()); }
    void clearLogs() const { removeLogs(dir.path()); }

    TempDir dir;
    TempDir workDir;

private:
    std::string previousWorkDir_;
};
