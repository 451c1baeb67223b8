#pragma once

#include <json/json.h>

#include <string>

// Parses one JSON document, comments allowed. False when the text is not JSON.
bool parseJsonDocument(const std::string& text, Json::Value& document);

// A document the library cannot use as settings: anything but a JSON object.
bool isEmptyDocument(const Json::Value& document);

// The member as text: a whole number as its digits, a string unchanged, null as "",
// true/false as "true"/"false"; "" when absent or not text-like.
std::string getJsonString(const Json::Value& document, const char* key);

// The member as a whole number: the leading decimal number of a string, true/false/null
// as 1/0/0; -1 when absent or not convertible.
int getJsonInt(const Json::Value& document, const char* key);

// The document as indented text, for the log.
std::string json2String(const Json::Value& document);
