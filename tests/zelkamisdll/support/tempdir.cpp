#include "tempdir.h"

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <vector>

#include <cstdlib>

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "zelkamis-test-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (::mkdtemp(name.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    path_ = name.data();
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void writeFile(const std::string& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

namespace
{

std::set<std::string> logFiles(const std::string& dir)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (entry.path().filename().string().rfind("dllLog", 0) == 0)
            names.insert(entry.path().string());
    }
    return names;
}

} // namespace

std::string readLogs(const std::string& dir)
{
    std::string all;
    for (const std::string& name : logFiles(dir))
        all += readFile(name);
    return all;
}

void removeLogs(const std::string& dir)
{
    for (const std::string& name : logFiles(dir))
        std::filesystem::remove(name);
}
