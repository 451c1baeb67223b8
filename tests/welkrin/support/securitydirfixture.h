// A private temporary directory per test, set as the library's security path.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace welkrintest {

class SecurityDirFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    std::filesystem::path keyFilePath() const;
    std::string keyFileContent() const;
    void writeKeyFile(const std::string &content) const;
    // The key file's JSON text, deciphered and without its zero padding.
    std::string keyFileJson() const;

    static std::string readFile(const std::filesystem::path &path);
    static void writeFile(const std::filesystem::path &path, const std::string &content);

    std::filesystem::path m_dir;
};

} // namespace welkrintest
