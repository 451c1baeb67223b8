#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A private directory for one fuzzing process, removed at exit, and a file in it
// that each input overwrites.
class ScratchFile
{
public:
    explicit ScratchFile(const std::string& fileName);

    const std::string& directory() const { return m_directory; }
    const std::string& path() const { return m_path; }

    void write(const void* data, std::size_t size) const;

private:
    std::string m_directory;
    std::string m_path;
};
