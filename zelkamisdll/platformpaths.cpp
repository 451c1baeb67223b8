#include "platformpaths.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

std::string libraryFileDirectory()
{
    Dl_info info {};
    if (dladdr(reinterpret_cast<const void*>(&libraryFileDirectory), &info) == 0 || info.dli_fname == nullptr)
        return {};
    const std::string file = info.dli_fname;
    const std::string::size_type slash = file.rfind('/');
    return slash == std::string::npos ? std::string(".") : file.substr(0, slash);
}

std::string systemTempDirectory()
{
    std::error_code error;
    const std::filesystem::path dir = std::filesystem::temp_directory_path(error);
    return error ? std::string("/tmp") : dir.string();
}
