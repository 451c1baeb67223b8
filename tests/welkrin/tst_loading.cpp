// The shared library as another program sees it: loaded at run time, its
// exports found by their plain names, nothing else visible.
#include "welkrin/welkrin.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

namespace {

class WelkrinLoading : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_handle = dlopen(WELKRIN_LIBRARY_FILE, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(m_handle, nullptr) << dlerror();
    }
    void TearDown() override
    {
        if (m_handle)
            dlclose(m_handle);
    }
    void *m_handle = nullptr;
};

TEST_F(WelkrinLoading, ExportsEveryFunctionByItsPlainName)
{
    for (const char *name : {"getLibVersion", "setSecurityPath", "setTusn", "getTusn", "setSecurityKey",
                             "getSecurityKey", "getSignResult", "saveEncrpyData", "getEncrpyData"})
        EXPECT_NE(dlsym(m_handle, name), nullptr) << name;

    using VersionFunction = const char *(*)();
    const auto version = reinterpret_cast<VersionFunction>(dlsym(m_handle, "getLibVersion"));
    ASSERT_NE(version, nullptr);
    EXPECT_STREQ(version(), "0.0.0.8");
}

TEST_F(WelkrinLoading, KeepsItsInternalsHidden)
{
    for (const char *name : {"desEcb", "fixedKeyCipher", "hexDecode", "keyStoreWrite", "keyFileLoad",
                             "replaceFileContent", "securityPathSet", "dataFileLoad"})
        EXPECT_EQ(dlsym(m_handle, name), nullptr) << name;
}

} // namespace
