/* The exported functions: argument checks, then the work is handed on. */
#include "welkrin/welkrin.h"

#include "datafile.h"
#include "keystore.h"
#include "md5sign.h"
#include "securitypath.h"

#include <stdbool.h>
#include <string.h>

#define LIBRARY_VERSION "0.0.0.8"

_Static_assert(WELKRIN_SIGN_BUFFER_SIZE == MD5_SIGN_TEXT_SIZE, "signature buffer");

static bool isEmpty(const char *text)
{
    return !text || text[0] == '\0';
}

/* True when text has at most maxLength bytes; never reads beyond them. */
static bool fitsWithin(const char *text, size_t maxLength)
{
    return strnlen(text, maxLength + 1) <= maxLength;
}

WELKRIN_API const char *WELKRIN_CALL getLibVersion(void)
{
    return LIBRARY_VERSION;
}

WELKRIN_API int WELKRIN_CALL setSecurityPath(const char *dir)
{
    if (isEmpty(dir) || !fitsWithin(dir, WELKRIN_PATH_MAX) || !securityPathSet(dir))
        return WELKRIN_BAD_ARGUMENT;
    return WELKRIN_OK;
}

WELKRIN_API int WELKRIN_CALL setTusn(const char *tusn)
{
    if (isEmpty(tusn) || !fitsWithin(tusn, WELKRIN_TUSN_BUFFER_SIZE - 1))
        return WELKRIN_BAD_ARGUMENT;
    return keyStoreWrite(TUSN_MEMBER, tusn);
}

WELKRIN_API int WELKRIN_CALL getTusn(char *out)
{
    if (!out)
        return WELKRIN_BAD_ARGUMENT;
    return keyStoreRead(TUSN_MEMBER, out, WELKRIN_TUSN_BUFFER_SIZE);
}

WELKRIN_API int WELKRIN_CALL setSecurityKey(const char *index, const char *key)
{
    char name[KEY_MEMBER_NAME_SIZE];
    if (isEmpty(key) || !fitsWithin(key, WELKRIN_KEY_BUFFER_SIZE - 1) || isEmpty(index)
        || !fitsWithin(index, WELKRIN_KEY_FILE_TEXT_MAX) || !keyMemberName(index, name))
        return WELKRIN_BAD_ARGUMENT;
    return keyStoreWrite(name, key);
}

WELKRIN_API int WELKRIN_CALL getSecurityKey(const char *index, char *out)
{
    char name[KEY_MEMBER_NAME_SIZE];
    if (isEmpty(index) || !out || !fitsWithin(index, WELKRIN_KEY_FILE_TEXT_MAX) || !keyMemberName(index, name))
        return WELKRIN_BAD_ARGUMENT;
    return keyStoreRead(name, out, WELKRIN_KEY_BUFFER_SIZE);
}

WELKRIN_API int WELKRIN_CALL getSignResult(const char *source, const char *salt, char *out)
{
    if (isEmpty(source))
        return WELKRIN_BAD_ARGUMENT;
    if (isEmpty(salt))
        return WELKRIN_SALT_EMPTY;
    if (!out)
        return WELKRIN_BAD_ARGUMENT;
    md5SignUpper(source, salt, out);
    return WELKRIN_OK;
}

WELKRIN_API int WELKRIN_CALL saveEncrpyData(const char *path, const char *text)
{
    if (isEmpty(path) || !fitsWithin(path, WELKRIN_PATH_MAX) || !text || !fitsWithin(text, WELKRIN_DATA_TEXT_MAX))
        return WELKRIN_BAD_ARGUMENT;
    return dataFileSave(path, text, strlen(text));
}

WELKRIN_API int WELKRIN_CALL getEncrpyData(const char *path, char *out)
{
    if (isEmpty(path) || !fitsWithin(path, WELKRIN_PATH_MAX) || !out)
        return WELKRIN_BAD_ARGUMENT;
    return dataFileLoad(path, out);
}
