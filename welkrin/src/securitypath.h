/* The process-wide directory of the key file and the key file's path. */
#ifndef WELKRIN_SECURITYPATH_H
#define WELKRIN_SECURITYPATH_H

#include "welkrin/welkrin.h"

#include <stdbool.h>

#ifdef __cplusplus
extern "C" {
#endif

#define KEY_FILE_NAME "security.dll"
#define KEY_FILE_PATH_SIZE (WELKRIN_PATH_MAX + 1)

/* False, keeping the old directory, when the key file's path under dir would
 * exceed WELKRIN_PATH_MAX. */
bool securityPathSet(const char *dir);

/* The directory, a separator and KEY_FILE_NAME; the bare name (in the
 * current directory) while no directory was set. */
const char *securityKeyFilePath(void);

#ifdef __cplusplus
}
#endif

#endif
