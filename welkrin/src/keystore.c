#include "keystore.h"

#include "keyfile.h"
#include "securitypath.h"

#include <stdio.h>
#include <string.h>

bool keyMemberName(const char *index, char out[KEY_MEMBER_NAME_SIZE])
{
    const int length = snprintf(out, KEY_MEMBER_NAME_SIZE, "%s%s", KEY_MEMBER_PREFIX, index);
    return length >= 0 && length < KEY_MEMBER_NAME_SIZE;
}

int keyStoreRead(const char *name, char *out, size_t outSize)
{
    const char *path = securityKeyFilePath();
    cJSON *object = NULL;
    switch (keyFileLoad(path, &object)) {
    case KEY_FILE_MISSING:
    case KEY_FILE_UNOPENABLE:
        return WELKRIN_FILE_NOT_OPENED;
    case KEY_FILE_EMPTY:
        return WELKRIN_KEY_FILE_EMPTY;
    case KEY_FILE_NOT_JSON:
        return WELKRIN_MEMBER_NOT_FOUND;
    case KEY_FILE_LOADED:
        break;
    }
    const char *value = cJSON_GetStringValue(cJSON_GetObjectItem(object, name));
    int result = WELKRIN_MEMBER_NOT_FOUND;
    if (value && strlen(value) < outSize) {
        memcpy(out, value, strlen(value) + 1);
        result = WELKRIN_OK;
    }
    cJSON_Delete(object);
    return result;
}

static int saveResultCode(KeyFileSaveResult saved)
{
    switch (saved) {
    case KEY_FILE_SAVED:
        return WELKRIN_OK;
    case KEY_FILE_TOO_LARGE:
        return WELKRIN_BAD_ARGUMENT;
    case KEY_FILE_NOT_WRITTEN:
        break;
    }
    return WELKRIN_FILE_NOT_OPENED;
}

int keyStoreWrite(const char *name, const char *value)
{
    const char *path = securityKeyFilePath();
    cJSON *object = NULL;
    switch (keyFileLoad(path, &object)) {
    case KEY_FILE_MISSING:
        object = cJSON_CreateObject();
        if (!object)
            return WELKRIN_FILE_NOT_OPENED;
        break;
    case KEY_FILE_UNOPENABLE:
        return WELKRIN_FILE_NOT_OPENED;
    case KEY_FILE_EMPTY:
        return WELKRIN_KEY_FILE_EMPTY;
    case KEY_FILE_NOT_JSON:
        return WELKRIN_KEY_FILE_NOT_JSON;
    case KEY_FILE_LOADED:
        break;
    }
    /* A hand-edited file may spell one name in several cases; keep one member. */
    while (cJSON_GetObjectItem(object, name))
        cJSON_DeleteItemFromObject(object, name);
    const int result = cJSON_AddStringToObject(object, name, value)
        ? saveResultCode(keyFileSave(path, object))
        : WELKRIN_FILE_NOT_OPENED;
    cJSON_Delete(object);
    return result;
}
