#include "simanswers.h"

#include <json/json.h>

#include <memory>
#include <sstream>

namespace
{

std::string compactJson(const Json::Value& value)
{
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    builder["emitUTF8"] = true;
    return Json::writeString(builder, value);
}

bool parseObject(const std::string& text, Json::Value& object)
{
    Json::CharReaderBuilder builder;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    std::string errors;
    return reader->parse(text.data(), text.data() + text.size(), &object, &errors) && object.isObject();
}

} // namespace

std::string handshakeAnswer(const SimOptions& options)
{
    if (options.fault == SimFault::RefuseHandshake)
        return "{01}";
    switch (options.handshakeAnswer) {
    case SimHandshakeAnswer::Plain:
        return "{00}";
    case SimHandshakeAnswer::Garbage:
        return "{00}this is not json";
    case SimHandshakeAnswer::Identity:
        break;
    }
    Json::Value identity;
    identity["model"] = "SIM-1";
    identity["cid"] = "SIMCID0001";
    identity["tid"] = "SIMTID01";
    return "{00}" + compactJson(identity);
}

std::string requestAnswer(const std::string& request, int answerSize)
{
    Json::Value answer;
    answer["simulated"] = true;
    Json::Value parsed;
    if (parseObject(request, parsed)) {
        answer["code"] = "00";
        answer["msg"] = "simulated answer, nothing was charged";
        for (const char* key : { "CMD", "EXT_ORDER_NO" })
            if (parsed.isMember(key))
                answer[key] = parsed[key];
    } else {
        answer["code"] = "01";
        answer["msg"] = "simulated answer: the request is not a JSON object";
    }
    std::string text = compactJson(answer);
    const std::string padKey = ",\"pad\":\"\"";
    const std::size_t wanted = static_cast<std::size_t>(answerSize);
    if (wanted >= text.size() + padKey.size()) {
        answer["pad"] = std::string(wanted - text.size() - padKey.size(), 'x');
        text = compactJson(answer);
    }
    return text;
}
