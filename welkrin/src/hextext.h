/* Hexadecimal text of byte strings: written upper-case, read in either case. */
#ifndef WELKRIN_HEXTEXT_H
#define WELKRIN_HEXTEXT_H

#include <stdbool.h>
#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Writes 2 * count characters (no NUL) into out. */
void hexEncodeUpper(const uint8_t *bytes, size_t count, char *out);

/* Reads length characters into length / 2 bytes; false (out undefined) when
 * length is odd or a character is not a hexadecimal digit. */
bool hexDecode(const char *text, size_t length, uint8_t *out);

#ifdef __cplusplus
}
#endif

#endif
