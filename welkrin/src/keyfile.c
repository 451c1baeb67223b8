#include "keyfile.h"

#include "boundedread.h"
#include "descipher.h"
#include "filereplace.h"
#include "hextext.h"
#include "welkrin/welkrin.h"

#include <string.h>

#define KEY_FILE_HEX_CAPACITY (2 * WELKRIN_KEY_FILE_TEXT_MAX)

_Static_assert(WELKRIN_KEY_FILE_TEXT_MAX % DES_BLOCK_BYTES == 0, "the largest text fills whole blocks");

static KeyFileLoadResult decipherObject(const char *hex, size_t hexLength, cJSON **object)
{
    uint8_t plain[WELKRIN_KEY_FILE_TEXT_MAX + 1];
    const size_t plainLength = hexLength / 2;
    if (hexLength % (2 * DES_BLOCK_BYTES) != 0 || !hexDecode(hex, hexLength, plain)
        || !fixedKeyCipher(DES_DECIPHER, plain, plainLength))
        return KEY_FILE_NOT_JSON;
    /* The text ends at the first zero byte of the padding, or at the end. */
    plain[plainLength] = '\0';
    cJSON *parsed = cJSON_ParseWithOpts((const char *)plain, NULL, 1);
    if (!cJSON_IsObject(parsed)) {
        cJSON_Delete(parsed);
        return KEY_FILE_NOT_JSON;
    }
    *object = parsed;
    return KEY_FILE_LOADED;
}

KeyFileLoadResult keyFileLoad(const char *path, cJSON **object)
{
    char hex[KEY_FILE_HEX_CAPACITY];
    size_t hexLength = 0;
    switch (readFileBounded(path, hex, sizeof hex, &hexLength)) {
    case BOUNDED_READ_MISSING:
        return KEY_FILE_MISSING;
    case BOUNDED_READ_UNOPENABLE:
        return KEY_FILE_UNOPENABLE;
    case BOUNDED_READ_TOO_LARGE:
        return KEY_FILE_NOT_JSON;
    case BOUNDED_READ_OK:
        break;
    }
    if (hexLength == 0)
        return KEY_FILE_EMPTY;
    return decipherObject(hex, hexLength, object);
}

KeyFileSaveResult keyFileSave(const char *path, const cJSON *object)
{
    char *text = cJSON_Print(object);
    if (!text)
        return KEY_FILE_NOT_WRITTEN;
    const size_t textLength = strlen(text);
    if (textLength > WELKRIN_KEY_FILE_TEXT_MAX) {
        cJSON_free(text);
        return KEY_FILE_TOO_LARGE;
    }
    uint8_t plain[WELKRIN_KEY_FILE_TEXT_MAX] = {0};
    memcpy(plain, text, textLength);
    cJSON_free(text);

    const size_t plainLength = desPaddedLength(textLength);
    char hex[KEY_FILE_HEX_CAPACITY];
    if (!fixedKeyCipher(DES_ENCIPHER, plain, plainLength))
        return KEY_FILE_NOT_WRITTEN;
    hexEncodeUpper(plain, plainLength, hex);
    return replaceFileContent(path, hex, 2 * plainLength) ? KEY_FILE_SAVED : KEY_FILE_NOT_WRITTEN;
}
