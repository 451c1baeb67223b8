#pragma once

#include <string>

// GB18030 text to UTF-8; bytes that cannot be decoded become U+FFFD.
std::string gbkToUtf8(const char* text);

// UTF-8 text to GB18030; bytes that cannot be decoded become '?', so the result is
// never more than twice as long as the input.
std::string utf8ToGbk(const char* text);
