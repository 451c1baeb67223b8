#include "securitypath.h"

#include <stdio.h>
#include <string.h>

#if defined(_WIN32)
#  define PATH_SEPARATOR "\\"
#else
#  define PATH_SEPARATOR "/"
#endif

static char keyFilePath[KEY_FILE_PATH_SIZE] = KEY_FILE_NAME;

bool securityPathSet(const char *dir)
{
    char path[KEY_FILE_PATH_SIZE];
    const int length = snprintf(path, sizeof path, "%s" PATH_SEPARATOR "%s", dir, KEY_FILE_NAME);
    if (length < 0 || (size_t)length >= sizeof path)
        return false;
    memcpy(keyFilePath, path, (size_t)length + 1);
    return true;
}

const char *securityKeyFilePath(void)
{
    return keyFilePath;
}
