// The shared library as the desktop program uses it: loaded by file name, entry points
// resolved by their plain names.
#include "zelkamisdll.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

namespace
{

class ZelkamisExportsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        handle = dlopen(ZELKAMISDLL_FILE, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle, nullptr) << dlerror();
    }
    void TearDown() override { dlclose(handle); }
    void* handle = nullptr;
};

TEST_F(ZelkamisExportsTest, EveryEntryPointUnderItsPlainName)
{
    for (const char* name :
        { "getVersion", "setDllPath", "setPath", "setLogPath", "initialization", "doTransaction",
            "doBusiness", "setCOM", "setEthernet", "setBluetooth", "setCharset", "setTimeout", "setOther" }) {
        EXPECT_NE(dlsym(handle, name), nullptr) << name;
    }
    EXPECT_EQ(dlsym(handle, "doBusiness"), dlsym(handle, "doTransaction"));
}

TEST_F(ZelkamisExportsTest, InternalsStayHidden)
{
    for (const char* name :
        { "_Z12parseMisDataPKhiPc", "_Z11loadSettingv", "_Z10socketOpenPKcii", "_Z8writeLogPKciS0_" })
        EXPECT_EQ(dlsym(handle, name), nullptr) << name;
}

TEST_F(ZelkamisExportsTest, VersionOfTheBuild)
{
    auto version = reinterpret_cast<decltype(&getVersion)>(dlsym(handle, "getVersion"));
    ASSERT_NE(version, nullptr);
    EXPECT_STREQ(version(), "2.1.0.0");
}

} // namespace
