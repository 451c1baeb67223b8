// The library's settings file holding arbitrary bytes: loading it and reading
// the members a transaction uses never fails in any other way than "no settings".
#include "scratchfile.h"
#include "settingsfile.h"
#include "utils.h"

namespace
{

const ScratchFile& settingsFile()
{
    static const ScratchFile file("zelkamissetting.json");
    return file;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setSettingsDirectory(settingsFile().directory().c_str());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    settingsFile().write(data, size);
    const std::optional<Json::Value> settings = loadSetting();
    if (!settings)
        return 0;
    for (const char* key : { "mode", "charset", "hostip", "port", "mac", "timeout" }) {
        getJsonString(*settings, key);
        getJsonInt(*settings, key);
    }
    json2String(*settings);
    return 0;
}
