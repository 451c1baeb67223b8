/* MD5 signatures rendered as upper-case hexadecimal text. */
#ifndef WELKRIN_MD5SIGN_H
#define WELKRIN_MD5SIGN_H

#ifdef __cplusplus
extern "C" {
#endif

#define MD5_SIGN_TEXT_SIZE 33 /* 32 hexadecimal characters and a NUL */

/* MD5 of first followed directly by second, into out with a NUL. */
void md5SignUpper(const char *first, const char *second, char out[MD5_SIGN_TEXT_SIZE]);

#ifdef __cplusplus
}
#endif

#endif
