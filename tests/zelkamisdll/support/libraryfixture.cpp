#include "libraryfixture.h"

#include "zelkamisdll.h"

#include <filesystem>

void LibraryFixture::SetUp()
{
    previousWorkDir_ = std::filesystem::current_path().string();
    std::filesystem::current_path(workDir.path());
    setPath(dir.path().c_str());
    setLogPath(dir.path().c_str());
}

void LibraryFixture::TearDown()
{
    std::filesystem::current_path(previousWorkDir_);
}
