/* Replacing a file's whole content so that a crash leaves either the old or
 * the new content, never a mix or nothing. Platform specific. */
#ifndef WELKRIN_FILEREPLACE_H
#define WELKRIN_FILEREPLACE_H

#include <stdbool.h>
#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Writes data to a temporary file beside path, flushes it to disk and renames
 * it over path. False when any step fails; path is then unchanged. */
bool replaceFileContent(const char *path, const char *data, size_t size);

#ifdef __cplusplus
}
#endif

#endif
