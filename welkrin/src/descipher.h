/* Single DES in ECB mode over whole 8-byte blocks, in place. */
#ifndef WELKRIN_DESCIPHER_H
#define WELKRIN_DESCIPHER_H

#include <stdbool.h>
#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define DES_BLOCK_BYTES 8
#define DES_KEY_BYTES 8

/* length rounded up to whole blocks. */
static inline size_t desPaddedLength(size_t length)
{
    return (length + DES_BLOCK_BYTES - 1) / DES_BLOCK_BYTES * DES_BLOCK_BYTES;
}

typedef enum { DES_ENCIPHER, DES_DECIPHER } DesDirection;

/* length must be a multiple of DES_BLOCK_BYTES. Parity bits of the key are
 * ignored; a weak or semi-weak key is refused (false, data untouched). */
bool desEcb(const uint8_t key[DES_KEY_BYTES], DesDirection direction, uint8_t *data, size_t length);

/* desEcb under the library's fixed file key. */
bool fixedKeyCipher(DesDirection direction, uint8_t *data, size_t length);

#ifdef __cplusplus
}
#endif

#endif
