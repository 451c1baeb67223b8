#include "textcodec.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace
{

constexpr std::size_t kConvertChunkCapacity = 1024;
constexpr char kUtf8Replacement[] = "\xEF\xBF\xBD";
constexpr char kGb18030Replacement[] = "?";

class Converter
{
public:
    Converter(const char* toCode, const char* fromCode)
        : handle_(iconv_open(toCode, fromCode))
    {
        if (handle_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("no converter from ") + fromCode + " to " + toCode);
    }
    ~Converter() { iconv_close(handle_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts the whole text; every undecodable input byte becomes replacement.
    std::string convert(const char* text, const char* replacement)
    {
        std::string result;
        char* in = const_cast<char*>(text);
        std::size_t inLeft = std::strlen(text);
        while (inLeft > 0) {
            char chunk[kConvertChunkCapacity];
            char* out = chunk;
            std::size_t outLeft = sizeof chunk;
            const std::size_t rc = iconv(handle_, &in, &inLeft, &out, &outLeft);
            result.append(chunk, static_cast<std::size_t>(out - chunk));
            if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
                result += replacement;
                ++in;
                --inLeft;
            }
        }
        return result;
    }

private:
    iconv_t handle_;
};

} // namespace

std::string gbkToUtf8(const char* text)
{
    return Converter("UTF-8", "GB18030").convert(text, kUtf8Replacement);
}

std::string utf8ToGbk(const char* text)
{
    return Converter("GB18030", "UTF-8").convert(text, kGb18030Replacement);
}
