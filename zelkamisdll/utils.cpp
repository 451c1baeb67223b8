#include "utils.h"

#include "dlllog.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace
{

constexpr char kLogUnit[] = "utils";

const Json::Value* findMember(const Json::Value& document, const char* key)
{
    return document.isObject() ? document.find(key, key + std::char_traits<char>::length(key)) : nullptr;
}

// The decimal number at the start of text, as the C library reads it; 0 without digits,
// clamped to the range of int.
int leadingNumber(const char* text)
{
    errno = 0;
    const long value = std::strtol(text, nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

} // namespace

bool parseJsonDocument(const std::string& text, Json::Value& document)
{
    Json::Reader reader(Json::Features::all());
    return reader.parse(text, document, false);
}

bool isEmptyDocument(const Json::Value& document)
{
    return !document.isObject();
}

std::string getJsonString(const Json::Value& document, const char* key)
{
    const Json::Value* member = findMember(document, key);
    if (member == nullptr)
        return {};
    if (member->isInt())
        return std::to_string(member->asInt());
    if (member->isString() || member->isNull() || member->isBool() || member->isNumeric())
        return member->asString();
    ZLOG("json get key(%s) string value exception", key);
    return {};
}

int getJsonInt(const Json::Value& document, const char* key)
{
    const Json::Value* member = findMember(document, key);
    if (member == nullptr)
        return -1;
    if (member->isString())
        return leadingNumber(member->asCString());
    if (member->isInt())
        return member->asInt();
    if (member->isBool())
        return member->asBool() ? 1 : 0;
    if (member->isNull())
        return 0;
    if (member->isDouble() && member->asDouble() > INT_MIN - 1.0 && member->asDouble() < INT_MAX + 1.0)
        return static_cast<int>(member->asDouble());
    ZLOG("json get key(%s) int value exception", key);
    return -1;
}

std::string json2String(const Json::Value& document)
{
    try {
        Json::StyledWriter writer;
        return writer.write(document);
    } catch (const std::exception&) {
        ZLOG("json2String exception");
        return {};
    }
}
