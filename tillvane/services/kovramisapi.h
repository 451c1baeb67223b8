#pragma once

// The C interface of the older terminal transaction library that the "/kovra"
// service loads at run time ("DllName", by default "./libkovramis.so" beside
// the program). The library is not ours; these are the functions the service
// resolves by name and the way it calls them. Texts are NUL-terminated 8-bit
// strings that live only for the duration of the call.
extern "C" {

using KovraMisVoidFn = void (*)();
using KovraMisIntArgFn = void (*)(int value);
using KovraMisTextArgFn = void (*)(const char* text);
using KovraMisRs232Fn = void (*)(int port, int baud);
using KovraMisEthernetFn = void (*)(const char* host, int port);
using KovraMisResultCodeFn = int (*)();
// Writes the result text of the last transaction into a caller buffer of
// kovraMisResultBufferSize bytes.
using KovraMisResultTextFn = void (*)(char* buffer);
using KovraMisHandShakeFn = int (*)();
}

constexpr int kovraMisResultBufferSize = 2048;
