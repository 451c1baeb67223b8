#include "settingsfile.h"

#include "atomicfile.h"
#include "dlllog.h"
#include "libstate.h"
#include "notice.h"
#include "platformpaths.h"
#include "utils.h"

#include <cstdio>
#include <string>

namespace
{

constexpr char kLogUnit[] = "trans";
constexpr char kSettingsFileName[] = "zelkamissetting.json";
// Only this many bytes of the settings file are read; a longer file is cut.
constexpr std::size_t kSettingsReadCapacity = 1024;
constexpr char kNoticeCaption[] = "提示";
constexpr char kOpenFailedNotice[] = "打开配置文件(zelkamissetting.json)失败!";
constexpr char kReadFailedNotice[] = "读取配置文件(zelkamissetting.json";

std::string settingsFilePath()
{
    const std::string& configured = libraryState().settingsDirectory;
    const std::string base = configured.empty() ? libraryFileDirectory() : configured;
    return base + "/" + kSettingsFileName;
}

std::FILE* openForReading(const std::string& path)
{
    if (std::FILE* file = std::fopen(path.c_str(), "rb"))
        return file;
    return std::fopen(kSettingsFileName, "rb");
}

} // namespace

void setSettingsDirectory(const char* dir)
{
    if (dir == nullptr || *dir == '\0')
        return;
    LibraryState& state = libraryState();
    state.settingsDirectory = dir;
    ZLOG("set dll path:%s", dir);
    state.libraryDirectory = dir;
}

std::optional<Json::Value> loadSetting()
{
    const std::string path = settingsFilePath();
    ZLOG_TEXT(path);

    std::FILE* file = openForReading(path);
    if (file == nullptr) {
        showNotice(kOpenFailedNotice, kNoticeCaption);
        return std::nullopt;
    }
    char content[kSettingsReadCapacity];
    const std::size_t count = std::fread(content, 1, sizeof content, file);
    std::fclose(file);
    if (count == 0) {
        showNotice(kReadFailedNotice, kNoticeCaption);
        return std::nullopt;
    }

    Json::Value document;
    if (!parseJsonDocument(std::string(content, count), document)) {
        ZLOG_TEXT("配置文件入参转换json格式失败!");
        return std::nullopt;
    }
    if (isEmptyDocument(document)) {
        ZLOG_TEXT("配置文件入参转换json格式后数据为空");
        return std::nullopt;
    }
    return document;
}

int saveSetting(const Json::Value& document)
{
    Json::FastWriter writer;
    const std::string text = writer.write(document);
    if (!writeFileAtomically(settingsFilePath(), text) && !writeFileAtomically(kSettingsFileName, text)) {
        showNotice(kOpenFailedNotice, kNoticeCaption);
        return kSettingsNotWritable;
    }
    ZLOG_TEXT(text);
    return 0;
}
