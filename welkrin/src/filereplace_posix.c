#define _POSIX_C_SOURCE 200809L

#include "filereplace.h"

#include "welkrin/welkrin.h"

#include <errno.h>
#include <fcntl.h>
#include <libgen.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#define TEMP_SUFFIX ".XXXXXX"
#define TEMP_PATH_CAPACITY (WELKRIN_PATH_MAX + sizeof TEMP_SUFFIX)

static bool writeAll(int fd, const char *data, size_t size)
{
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return false;
        data += written;
        size -= (size_t)written;
    }
    return true;
}

/* A replaced file keeps its permissions; a new one is private to its owner. */
static bool copyModeOfExisting(int fd, const char *path)
{
    struct stat existing;
    if (stat(path, &existing) != 0)
        return true;
    return fchmod(fd, existing.st_mode & 07777) == 0;
}

/* Makes the rename itself durable. */
static void syncDirectoryOf(const char *path)
{
    char copy[TEMP_PATH_CAPACITY];
    snprintf(copy, sizeof copy, "%s", path);
    const int dirFd = open(dirname(copy), O_RDONLY | O_DIRECTORY);
    if (dirFd < 0)
        return;
    fsync(dirFd);
    close(dirFd);
}

bool replaceFileContent(const char *path, const char *data, size_t size)
{
    char tempPath[TEMP_PATH_CAPACITY];
    const int length = snprintf(tempPath, sizeof tempPath, "%s" TEMP_SUFFIX, path);
    if (length < 0 || (size_t)length >= sizeof tempPath)
        return false;
    const int fd = mkstemp(tempPath);
    if (fd < 0)
        return false;
    const bool written = copyModeOfExisting(fd, path) && writeAll(fd, data, size) && fsync(fd) == 0;
    const bool closed = close(fd) == 0;
    if (!written || !closed || rename(tempPath, path) != 0) {
        unlink(tempPath);
        return false;
    }
    syncDirectoryOf(path);
    return true;
}
