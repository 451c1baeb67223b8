#include "scratchfile.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace
{

std::string makePrivateDirectory()
{
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/tillvane-fuzz-XXXXXX";
    if (!mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        std::abort();
    }
    return pattern;
}

std::string& directoryToRemove()
{
    static std::string directory;
    return directory;
}

void removeDirectory()
{
    std::error_code ignored;
    std::filesystem::remove_all(directoryToRemove(), ignored);
}

} // namespace

ScratchFile::ScratchFile(const std::string& fileName)
    : m_directory(makePrivateDirectory())
    , m_path(m_directory + "/" + fileName)
{
    directoryToRemove() = m_directory;
    std::atexit(removeDirectory);
}

void ScratchFile::write(const void* data, std::size_t size) const
{
    std::FILE* file = std::fopen(m_path.c_str(), "wb");
    if (!file || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) {
        std::perror(m_path.c_str());
        std::abort();
    }
}
