#include "privateprogramcopy.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const folderVariable = "TILLVANE_TEST_PRIVATE_FOLDER";

std::vector<std::string> ownArguments()
{
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    const std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> arguments;
    std::string::size_type start = 0;
    while (start < all.size()) {
        const auto end = all.find('\0', start);
        arguments.push_back(all.substr(start, end - start));
        start = end == std::string::npos ? all.size() : end + 1;
    }
    return arguments;
}

void removeFolder()
{
    std::error_code ignored;
    fs::remove_all(std::getenv(folderVariable), ignored);
}

[[noreturn]] void fail(const std::string& what)
{
    std::fprintf(stderr, "cannot run from a private copy: %s\n", what.c_str());
    std::exit(2);
}

} // namespace

bool runFromPrivateCopy()
{
    if (const char* folder = std::getenv(folderVariable)) {
        if (::chdir(folder) != 0)
            fail("chdir");
        std::atexit(removeFolder);
        return true;
    }

    std::string pattern = (fs::temp_directory_path() / "tillvane-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        fail("mkdtemp");
    const fs::path folder(pattern);
    const fs::path self = fs::read_symlink("/proc/self/exe");
    const fs::path copy = folder / self.filename();
    std::error_code error;
    fs::copy_file(self, copy, error);
    fs::create_directories(folder / "home", error);
    fs::create_directories(folder / "config", error);
    if (error)
        fail(error.message());

    ::setenv(folderVariable, folder.c_str(), 1);
    ::setenv("HOME", (folder / "home").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);

    std::vector<std::string> arguments = ownArguments();
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    ::execv(copy.c_str(), argv.data());
    fail("execv");
}

QString privateProgramFolder()
{
    return QString::fromLocal8Bit(qgetenv(folderVariable));
}
