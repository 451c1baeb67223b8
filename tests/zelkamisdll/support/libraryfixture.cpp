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

int LibraryFixture::countLogged(const std::string& text) const
{
    const std::string all = logs();
    int count = 0;
    for (std::size_t at = all.find(text); at != std::string::npos; at = all.find(text, at + 1))
        ++count;
    return count;
}
