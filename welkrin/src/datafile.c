#include "datafile.h"

#include "boundedread.h"
#include "descipher.h"
#include "filereplace.h"
#include "hextext.h"
#include "welkrin/welkrin.h"

#include <stdio.h>
#include <string.h>

#define LENGTH_DIGITS 4
#define LENGTH_FORMAT "%04d"
#define BLOCKS_CAPACITY ((WELKRIN_DATA_TEXT_MAX + DES_BLOCK_BYTES - 1) / DES_BLOCK_BYTES * DES_BLOCK_BYTES)
#define DATA_FILE_CAPACITY (LENGTH_DIGITS + 2 * BLOCKS_CAPACITY)

_Static_assert(WELKRIN_DATA_TEXT_MAX <= 9999, "the length field has four digits");

int dataFileSave(const char *path, const char *text, size_t length)
{
    uint8_t blocks[BLOCKS_CAPACITY] = {0};
    memcpy(blocks, text, length);
    const size_t blocksLength = desPaddedLength(length);
    if (!fixedKeyCipher(DES_ENCIPHER, blocks, blocksLength))
        return WELKRIN_FILE_NOT_OPENED;

    char content[DATA_FILE_CAPACITY + 1]; /* room for the NUL of the length field */
    snprintf(content, LENGTH_DIGITS + 1, LENGTH_FORMAT, (int)length);
    hexEncodeUpper(blocks, blocksLength, content + LENGTH_DIGITS);
    return replaceFileContent(path, content, LENGTH_DIGITS + 2 * blocksLength) ? WELKRIN_OK
                                                                                 : WELKRIN_FILE_NOT_OPENED;
}

/* The value of the four-digit length field, or -1 when it is not four digits. */
static int storedLength(const char *field)
{
    int value = 0;
    for (int i = 0; i < LENGTH_DIGITS; ++i) {
        if (field[i] < '0' || field[i] > '9')
            return -1;
        value = value * 10 + (field[i] - '0');
    }
    return value;
}

int dataFileLoad(const char *path, char *out)
{
    char content[DATA_FILE_CAPACITY];
    size_t size = 0;
    if (readFileBounded(path, content, sizeof content, &size) != BOUNDED_READ_OK || size < LENGTH_DIGITS)
        return WELKRIN_FILE_NOT_OPENED;
    const int length = storedLength(content);
    if (length < 0)
        return WELKRIN_FILE_NOT_OPENED;

    const size_t blocksLength = desPaddedLength((size_t)length);
    uint8_t blocks[BLOCKS_CAPACITY];
    if (size != LENGTH_DIGITS + 2 * blocksLength
        || !hexDecode(content + LENGTH_DIGITS, 2 * blocksLength, blocks)
        || !fixedKeyCipher(DES_DECIPHER, blocks, blocksLength))
        return WELKRIN_FILE_NOT_OPENED;
    memcpy(out, blocks, (size_t)length);
    return length;
}
