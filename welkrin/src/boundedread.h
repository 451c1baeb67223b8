/* Reading a whole file into a buffer of fixed capacity. */
#ifndef WELKRIN_BOUNDEDREAD_H
#define WELKRIN_BOUNDEDREAD_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef enum {
    BOUNDED_READ_OK,
    BOUNDED_READ_MISSING,    /* no file at that path */
    BOUNDED_READ_UNOPENABLE, /* a file that cannot be opened for reading */
    BOUNDED_READ_TOO_LARGE   /* more than capacity bytes */
} BoundedReadResult;

/* Reads the file's bytes into buffer (no NUL added) and their count into size. */
BoundedReadResult readFileBounded(const char *path, char *buffer, size_t capacity, size_t *size);

#ifdef __cplusplus
}
#endif

#endif
