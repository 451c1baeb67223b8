#include "notice.h"

#include "dlllog.h"

#include <cstdio>

namespace
{
constexpr char kLogUnit[] = "trans";
}

void showNotice(const char* text, const char* caption)
{
    ZLOG_TEXT(text);
    std::fprintf(stderr, "zelkamisdll: %s: %s\n", caption, text);
}
