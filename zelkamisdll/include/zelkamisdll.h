/* zelkamisdll: carries one JSON request to the payment terminal and its answer back.
 *
 * Texts are NUL-terminated 8-bit strings. Calls must not overlap: issue one call
 * at a time. The settings live in "zelkamissetting.json" (see setPath); every
 * call re-reads that file.
 */
#ifndef ZELKAMISDLL_H
#define ZELKAMISDLL_H

/* Export and calling-convention macros. On Linux the exports are plain C with
 * default visibility; a Windows build defines its calling convention here. */
#ifndef ZELKAMIS_CALL
#define ZELKAMIS_CALL
#endif
#define ZELKAMIS_API __attribute__((visibility("default")))

/* Result codes. */
#define ZELKAMIS_OK 0
#define ZELKAMIS_ERR_SETTINGS (-1) /* settings not loaded, or setCOM name not COMn */
#define ZELKAMIS_ERR_ARGUMENT (-2) /* bad argument or request too long */
#define ZELKAMIS_ERR_OPEN (-3) /* link to the terminal not opened */
#define ZELKAMIS_ERR_SEND (-4) /* frame not sent */
#define ZELKAMIS_ERR_RECEIVE (-5) /* nothing (or at most five bytes) received in time */
#define ZELKAMIS_ERR_NOT_CONFIGURED (-6) /* no settings document */
#define ZELKAMIS_ERR_HANDSHAKE (-7) /* three handshake attempts failed */
#define ZELKAMIS_ERR_FRAME (-8) /* the answer is not a valid frame */

/* The longest request doTransaction sends, in bytes of UTF-8 after any conversion;
 * a longer one gives ZELKAMIS_ERR_ARGUMENT before the terminal is contacted. */
#define ZELKAMIS_MAX_REQUEST_BYTES 4091
/* The longest answer a terminal can hand back, in bytes of UTF-8. */
#define ZELKAMIS_MAX_ANSWER_BYTES 6139
/* The bytes a caller must provide for the result of doTransaction: the longest
 * answer converted to GB18030 (at most twice its UTF-8 length) plus the NUL. */
#define ZELKAMIS_RESULT_CAPACITY (2 * (ZELKAMIS_MAX_ANSWER_BYTES + 1))

#ifdef __cplusplus
extern "C" {
#endif

/* "major.minor.build.revision"; the pointer is the same on every call. */
ZELKAMIS_API const char* ZELKAMIS_CALL getVersion(void);
/* A non-empty dllDir is kept as the library directory; logDir acts as setLogPath. */
ZELKAMIS_API void ZELKAMIS_CALL setDllPath(const char* dllDir, const char* logDir);
/* Directory that holds "zelkamissetting.json"; empty keeps the library's own. */
ZELKAMIS_API void ZELKAMIS_CALL setPath(const char* dir);
/* Directory for the daily log "dllLog<yyyymmdd>.txt"; empty switches logging off. */
ZELKAMIS_API void ZELKAMIS_CALL setLogPath(const char* dir);

/* Stores a whole settings document ("mode" COMn, ETH or BT; "hostip", "port",
 * "mac", "charset", "timeout"). Returns 0 or ZELKAMIS_ERR_ARGUMENT. */
ZELKAMIS_API int ZELKAMIS_CALL initialization(const char* json);
/* One transaction. result must hold ZELKAMIS_RESULT_CAPACITY bytes; it is written
 * only when 0 is returned. doBusiness is the same entry point. */
ZELKAMIS_API int ZELKAMIS_CALL doTransaction(const char* request, char* result);
ZELKAMIS_API int ZELKAMIS_CALL doBusiness(const char* request, char* result);

/* Setters change one part of an existing settings file and never create it:
 * 0, or ZELKAMIS_ERR_SETTINGS when the file cannot be loaded. */
ZELKAMIS_API int ZELKAMIS_CALL setCOM(const char* comName);
ZELKAMIS_API int ZELKAMIS_CALL setEthernet(const char* host, int port);
ZELKAMIS_API int ZELKAMIS_CALL setBluetooth(const char* mac);
ZELKAMIS_API int ZELKAMIS_CALL setCharset(const char* charset);
ZELKAMIS_API int ZELKAMIS_CALL setTimeout(int seconds);
ZELKAMIS_API int ZELKAMIS_CALL setOther(const char* key, const char* value);

#ifdef __cplusplus
}
#endif

#endif
