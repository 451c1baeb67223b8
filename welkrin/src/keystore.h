/* Named string members of the key file in the security path, read and set
 * with the library's result codes. Member names ignore letter case. */
#ifndef WELKRIN_KEYSTORE_H
#define WELKRIN_KEYSTORE_H

#include "welkrin/welkrin.h"

#include <stdbool.h>
#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

#define TUSN_MEMBER "tusn"
#define KEY_MEMBER_PREFIX "idx"
/* A longer member name could not fit into the key file anyway. */
#define KEY_MEMBER_NAME_SIZE (WELKRIN_KEY_FILE_TEXT_MAX + 1)

/* "idx" followed by index; false when it does not fit. */
bool keyMemberName(const char *index, char out[KEY_MEMBER_NAME_SIZE]);

/* Copies the member's string value into out (outSize bytes with the NUL).
 * A value that does not fit counts as missing (WELKRIN_MEMBER_NOT_FOUND). */
int keyStoreRead(const char *name, char *out, size_t outSize);

/* Sets the member to value, replacing every member of that name. */
int keyStoreWrite(const char *name, const char *value);

#ifdef __cplusplus
}
#endif

#endif
