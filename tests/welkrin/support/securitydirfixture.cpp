#include "securitydirfixture.h"

#include "fileformat.h"

#include "welkrin/welkrin.h"

#include <fstream>
#include <iterator>
#include <stdlib.h>

namespace welkrintest {

void SecurityDirFixture::SetUp()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "welkrin-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    m_dir = pattern;
    ASSERT_EQ(setSecurityPath(m_dir.c_str()), WELKRIN_OK);
}

void SecurityDirFixture::TearDown()
{
    std::error_code ignored;
    std::filesystem::permissions(m_dir, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(m_dir, ignored);
}

std::filesystem::path SecurityDirFixture::keyFilePath() const
{
    return m_dir / "security.dll";
}

std::string SecurityDirFixture::keyFileContent() const
{
    return readFile(keyFilePath());
}

void SecurityDirFixture::writeKeyFile(const std::string &content) const
{
    writeFile(keyFilePath(), content);
}

std::string SecurityDirFixture::keyFileJson() const
{
    return untilFirstZero(decipherFromHex(keyFileContent()));
}

std::string SecurityDirFixture::readFile(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.is_open()) << path;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void SecurityDirFixture::writeFile(const std::filesystem::path &path, const std::string &content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    ASSERT_TRUE(out.is_open()) << path;
    out << content;
}

} // namespace welkrintest
