// Enciphering and deciphering whole files the way the library stores them,
// so tests can inspect what it wrote and forge files it must read or refuse.
#pragma once

#include <string>

namespace welkrintest {

// Zero-pads plain to whole blocks, enciphers it under the fixed key and
// renders it as upper-case hexadecimal text: the key file format.
std::string encipherToHex(const std::string &plain);

// The reverse of encipherToHex, padding included; fails the test on bad input.
std::string decipherFromHex(const std::string &hex);

// plain up to its first zero byte.
std::string untilFirstZero(const std::string &plain);

} // namespace welkrintest
