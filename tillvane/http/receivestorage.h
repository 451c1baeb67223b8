#pragma once

#include <cstddef>

// Storage for the receive buffers of connections, which come one after the
// other: the block a finished connection gives back is kept for the next one,
// because mapping and unmapping 10 MiB for every connection costs more than
// serving a small request. A kept block holds no more than keptResidentBytes
// of touched pages; a connection that used more has them given back to the
// system first. A block handed out again may hold old bytes, so its user must
// read only what it wrote.
namespace ReceiveStorage
{
constexpr std::size_t keptResidentBytes = 256 * 1024;

// A block of size bytes, the kept one when it has that size; null when the
// system refuses.
char* take(std::size_t size);
// Gives a block back; touchedBytes is how far from its start it was written.
void giveBack(char* block, std::size_t size, std::size_t touchedBytes);
} // namespace ReceiveStorage
