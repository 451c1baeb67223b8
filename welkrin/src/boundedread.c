#include "boundedread.h"

#include <errno.h>
#include <stdio.h>

BoundedReadResult readFileBounded(const char *path, char *buffer, size_t capacity, size_t *size)
{
    FILE *file = fopen(path, "rb");
    if (!file)
        return errno == ENOENT ? BOUNDED_READ_MISSING : BOUNDED_READ_UNOPENABLE;
    *size = fread(buffer, 1, capacity, file);
    char extra;
    const int tooLarge = *size == capacity && fread(&extra, 1, 1, file) == 1;
    fclose(file);
    return tooLarge ? BOUNDED_READ_TOO_LARGE : BOUNDED_READ_OK;
}
