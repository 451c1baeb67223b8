#pragma once

#include <json/json.h>

#include <optional>

// saveSetting's result when the file cannot be written.
constexpr int kSettingsNotWritable = 204;

// Makes dir the settings directory (and the library directory); empty changes nothing.
void setSettingsDirectory(const char* dir);

// The settings document from "zelkamissetting.json", or nothing when it cannot be
// opened, read or parsed, or is not an object.
std::optional<Json::Value> loadSetting();

// Writes the document as one compact line; 0, or kSettingsNotWritable.
int saveSetting(const Json::Value& document);
