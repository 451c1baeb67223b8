// The exported entry points. Each one runs behind guardExport.
#include "zelkamisdll.h"

#include "dlllog.h"
#include "exportguard.h"
#include "libstate.h"
#include "settingsfile.h"
#include "trans.h"

#include <cstdio>
#include <functional>

namespace
{

constexpr char kLogUnit[] = "zelkamisdll";
constexpr std::size_t kVersionCapacity = 32;

const char* textOrEmpty(const char* text)
{
    return text == nullptr ? "" : text;
}

// Loads the settings file, applies change and saves it. The setters never create the file.
int changeSettings(const std::function<void(Json::Value&)>& change)
{
    std::optional<Json::Value> document = loadSetting();
    if (!document)
        return ZELKAMIS_ERR_SETTINGS;
    change(*document);
    saveSetting(*document);
    return ZELKAMIS_OK;
}

int setStringSetting(const char* key, const char* value)
{
    return changeSettings([&](Json::Value& document) { document[key] = textOrEmpty(value); });
}

void storeLogDirectory(const char* dir)
{
    LibraryState& state = libraryState();
    state.logDirectory = textOrEmpty(dir);
    state.loggingOn = !state.logDirectory.empty();
}

} // namespace

extern "C" {

ZELKAMIS_API const char* ZELKAMIS_CALL getVersion(void)
{
    static char version[kVersionCapacity];
    guardExport([] {
        std::snprintf(version, sizeof version, "%d.%d.%d.%d", ZELKAMIS_VERSION_MAJOR % 256,
            ZELKAMIS_VERSION_MINOR % 256, ZELKAMIS_VERSION_PATCH % 256, ZELKAMIS_VERSION_TWEAK % 256);
        ZLOG_TEXT(version);
    });
    return version;
}

ZELKAMIS_API void ZELKAMIS_CALL setDllPath(const char* dllDir, const char* logDir)
{
    guardExport([&] {
        if (dllDir != nullptr && *dllDir != '\0')
            libraryState().libraryDirectory = dllDir;
        storeLogDirectory(logDir);
    });
}

ZELKAMIS_API void ZELKAMIS_CALL setPath(const char* dir)
{
    guardExport([&] { setSettingsDirectory(dir); });
}

ZELKAMIS_API void ZELKAMIS_CALL setLogPath(const char* dir)
{
    guardExport([&] { storeLogDirectory(dir); });
}

ZELKAMIS_API int ZELKAMIS_CALL initialization(const char* json)
{
    return guardExport(ZELKAMIS_ERR_ARGUMENT, [&] { return trans::initialization(json); });
}

ZELKAMIS_API int ZELKAMIS_CALL doTransaction(const char* request, char* result)
{
    return guardExport(ZELKAMIS_ERR_OPEN, [&] { return trans::doTransaction(request, result); });
}

ZELKAMIS_API int ZELKAMIS_CALL doBusiness(const char* request, char* result)
    __attribute__((alias("doTransaction")));

ZELKAMIS_API int ZELKAMIS_CALL setCOM(const char* comName)
{
    return guardExport(ZELKAMIS_ERR_SETTINGS, [&] {
        const std::string name = textOrEmpty(comName);
        if (name.compare(0, 3, "COM") != 0) {
            ZLOG_TEXT("入参comName格式错误!");
            return ZELKAMIS_ERR_SETTINGS;
        }
        return setStringSetting("mode", name.c_str());
    });
}

ZELKAMIS_API int ZELKAMIS_CALL setEthernet(const char* host, int port)
{
    return guardExport(ZELKAMIS_ERR_SETTINGS, [&] {
        return changeSettings([&](Json::Value& document) {
            document["mode"] = "ETH";
            document["hostip"] = textOrEmpty(host);
            document["port"] = port;
        });
    });
}

ZELKAMIS_API int ZELKAMIS_CALL setBluetooth(const char* mac)
{
    return guardExport(ZELKAMIS_ERR_SETTINGS, [&] {
        return changeSettings([&](Json::Value& document) {
            document["mode"] = "BT";
            document["mac"] = textOrEmpty(mac);
        });
    });
}

ZELKAMIS_API int ZELKAMIS_CALL setCharset(const char* charset)
{
    return guardExport(ZELKAMIS_ERR_SETTINGS, [&] { return setStringSetting("charset", charset); });
}

ZELKAMIS_API int ZELKAMIS_CALL setTimeout(int seconds)
{
    return guardExport(ZELKAMIS_ERR_SETTINGS,
        [&] { return changeSettings([&](Json::Value& document) { document["timeout"] = seconds; }); });
}

ZELKAMIS_API int ZELKAMIS_CALL setOther(const char* key, const char* value)
{
    return guardExport(ZELKAMIS_ERR_SETTINGS, [&] { return setStringSetting(textOrEmpty(key), value); });
}

} // extern "C"
