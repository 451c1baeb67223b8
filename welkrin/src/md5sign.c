#include "md5sign.h"

#include "hextext.h"

#include <nettle/md5.h>
#include <string.h>

_Static_assert(MD5_SIGN_TEXT_SIZE == 2 * MD5_DIGEST_SIZE + 1, "signature text holds one digest");

void md5SignUpper(const char *first, const char *second, char out[MD5_SIGN_TEXT_SIZE])
{
    struct md5_ctx context;
    uint8_t digest[MD5_DIGEST_SIZE];
    md5_init(&context);
    md5_update(&context, strlen(first), (const uint8_t *)first);
    md5_update(&context, strlen(second), (const uint8_t *)second);
    md5_digest(&context, sizeof digest, digest);
    hexEncodeUpper(digest, sizeof digest, out);
    out[2 * MD5_DIGEST_SIZE] = '\0';
}
