/* Data files: "%04d" text length, then the enciphered 8-byte blocks of the
 * text as 16 hexadecimal characters each. */
#ifndef WELKRIN_DATAFILE_H
#define WELKRIN_DATAFILE_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* text holds length bytes, at most WELKRIN_DATA_TEXT_MAX. Returns
 * WELKRIN_OK or WELKRIN_FILE_NOT_OPENED (path unchanged). */
int dataFileSave(const char *path, const char *text, size_t length);

/* Returns the stored length n after writing n bytes into out, or
 * WELKRIN_FILE_NOT_OPENED (out untouched) when the file cannot be read or is
 * not exactly one data file. */
int dataFileLoad(const char *path, char *out);

#ifdef __cplusplus
}
#endif

#endif
