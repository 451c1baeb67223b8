/*
 * welkrin: a terminal id (TUSN) and security keys kept in an enciphered key
 * file, enciphered data files, and MD5 signatures.
 *
 * Every function returns a signed 32-bit result code (below); texts are
 * NUL-terminated 8-bit strings and every output buffer belongs to the caller.
 * Calls are not serialised inside the library: callers serialise them.
 *
 * File formats
 *   Both files are enciphered with single DES in ECB mode under one fixed
 *   8-byte key, the ASCII text WELKRIN_FIXED_KEY_TEXT. Files are only readable
 *   by a build that uses the same key.
 *
 *   Key file "security.dll" in the security path: the JSON object of string
 *   members ("tusn", "idx" + key index, and any others, which are kept),
 *   printed formatted, padded with zero bytes to a multiple of 8 bytes,
 *   enciphered, written as upper-case hexadecimal text with no separators or
 *   line ends. Member names are compared without regard to letter case.
 *
 *   Data file: the text length n as four decimal digits ("%04d"), then each
 *   8-byte block of the text (the last one filled up with zero bytes),
 *   enciphered, as 16 upper-case hexadecimal characters. Hexadecimal text of
 *   either letter case is accepted when reading.
 */
#ifndef WELKRIN_H
#define WELKRIN_H

#if defined(_WIN32)
#  define WELKRIN_CALL __stdcall
#  if defined(WELKRIN_BUILDING)
#    define WELKRIN_API __declspec(dllexport)
#  else
#    define WELKRIN_API __declspec(dllimport)
#  endif
#else
#  define WELKRIN_CALL
#  define WELKRIN_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The fixed DES key of both file formats (8 ASCII characters). */
#define WELKRIN_FIXED_KEY_TEXT "Tv7hQm4k"

/* Result codes. */
#define WELKRIN_OK 0
#define WELKRIN_KEY_FILE_NOT_JSON (-95)   /* setters: the key file does not decipher into a JSON object */
#define WELKRIN_KEY_FILE_EMPTY (-96)      /* the key file exists but nothing could be read from it */
#define WELKRIN_FILE_NOT_OPENED (-97)     /* a file could not be opened, written, or (data file) is broken */
#define WELKRIN_BAD_ARGUMENT (-98)        /* a required argument is null or empty, or beyond the limits below */
#define WELKRIN_SALT_EMPTY (-99)          /* getSignResult: the salt is null or empty */
#define WELKRIN_MEMBER_NOT_FOUND 156      /* getters: no readable JSON in the key file, or no such member */

/* Limits and buffer sizes (buffer sizes include the terminating NUL). */
#define WELKRIN_TUSN_BUFFER_SIZE 126        /* getTusn output; a TUSN holds at most 125 characters */
#define WELKRIN_KEY_BUFFER_SIZE 256         /* getSecurityKey output; a key holds at most 255 characters */
#define WELKRIN_SIGN_BUFFER_SIZE 33         /* getSignResult output: 32 hexadecimal characters */
#define WELKRIN_KEY_FILE_TEXT_MAX 3072      /* bytes of the key file's plain JSON text */
#define WELKRIN_DATA_TEXT_MAX 9999          /* bytes of one data file's text */
#define WELKRIN_PATH_MAX 4095               /* bytes of a security path or data file path */

/* "0.0.0.8", a constant owned by the library. */
WELKRIN_API const char *WELKRIN_CALL getLibVersion(void);

/* Directory of the key file; until set, the current directory. */
WELKRIN_API int WELKRIN_CALL setSecurityPath(const char *dir);

WELKRIN_API int WELKRIN_CALL setTusn(const char *tusn);
/* out: at least WELKRIN_TUSN_BUFFER_SIZE bytes. */
WELKRIN_API int WELKRIN_CALL getTusn(char *out);

WELKRIN_API int WELKRIN_CALL setSecurityKey(const char *index, const char *key);
/* out: at least WELKRIN_KEY_BUFFER_SIZE bytes. */
WELKRIN_API int WELKRIN_CALL getSecurityKey(const char *index, char *out);

/* Upper-case MD5 of source followed by salt; out: at least WELKRIN_SIGN_BUFFER_SIZE bytes. */
WELKRIN_API int WELKRIN_CALL getSignResult(const char *source, const char *salt, char *out);

/* Writes text (empty allowed) as a data file at path, replacing any old one. */
WELKRIN_API int WELKRIN_CALL saveEncrpyData(const char *path, const char *text);
/* Returns the stored length n and writes exactly n bytes (no NUL) into out,
 * which must hold the stored length (at most WELKRIN_DATA_TEXT_MAX bytes).
 * out is left untouched on failure. */
WELKRIN_API int WELKRIN_CALL getEncrpyData(const char *path, char *out);

#ifdef __cplusplus
}
#endif

#endif
