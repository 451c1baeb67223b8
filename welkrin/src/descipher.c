#include "descipher.h"

#include "welkrin/welkrin.h"

#include <nettle/des.h>

_Static_assert(sizeof(WELKRIN_FIXED_KEY_TEXT) - 1 == DES_KEY_BYTES, "the fixed key is one DES key");
_Static_assert(DES_BLOCK_BYTES == DES_BLOCK_SIZE && DES_KEY_BYTES == DES_KEY_SIZE, "DES sizes");

bool desEcb(const uint8_t key[DES_KEY_BYTES], DesDirection direction, uint8_t *data, size_t length)
{
    struct des_ctx context;
    if (!des_set_key(&context, key))
        return false;
    /* nettle's DES functions treat every block on its own, which is ECB. */
    if (direction == DES_ENCIPHER)
        des_encrypt(&context, length, data, data);
    else
        des_decrypt(&context, length, data, data);
    return true;
}

bool fixedKeyCipher(DesDirection direction, uint8_t *data, size_t length)
{
    return desEcb((const uint8_t *)WELKRIN_FIXED_KEY_TEXT, direction, data, length);
}
