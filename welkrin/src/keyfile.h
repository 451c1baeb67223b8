/* The key file: a JSON object, zero-padded, DES-enciphered, as hexadecimal text. */
#ifndef WELKRIN_KEYFILE_H
#define WELKRIN_KEYFILE_H

#include <cjson/cJSON.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef enum {
    KEY_FILE_LOADED,
    KEY_FILE_MISSING,
    KEY_FILE_UNOPENABLE,
    KEY_FILE_EMPTY,   /* the file holds no bytes */
    KEY_FILE_NOT_JSON /* the content does not decipher into a JSON object */
} KeyFileLoadResult;

typedef enum {
    KEY_FILE_SAVED,
    KEY_FILE_TOO_LARGE,  /* the printed object exceeds WELKRIN_KEY_FILE_TEXT_MAX; file unchanged */
    KEY_FILE_NOT_WRITTEN /* file unchanged */
} KeyFileSaveResult;

/* On KEY_FILE_LOADED *object receives a new object the caller deletes. */
KeyFileLoadResult keyFileLoad(const char *path, cJSON **object);

/* Replaces the file at path with the enciphered, formatted print of object. */
KeyFileSaveResult keyFileSave(const char *path, const cJSON *object);

#ifdef __cplusplus
}
#endif

#endif
