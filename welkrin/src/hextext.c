#include "hextext.h"

static const char upperDigits[] = "0123456789ABCDEF";

static int digitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

void hexEncodeUpper(const uint8_t *bytes, size_t count, char *out)
{
    for (size_t i = 0; i < count; ++i) {
        out[2 * i] = upperDigits[bytes[i] >> 4];
        out[2 * i + 1] = upperDigits[bytes[i] & 0x0F];
    }
}

bool hexDecode(const char *text, size_t length, uint8_t *out)
{
    if (length % 2 != 0)
        return false;
    for (size_t i = 0; i < length; i += 2) {
        const int high = digitValue(text[i]);
        const int low = digitValue(text[i + 1]);
        if (high < 0 || low < 0)
            return false;
        out[i / 2] = (uint8_t)(high << 4 | low);
    }
    return true;
}
