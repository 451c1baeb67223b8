#pragma once

#include <cstddef>

// Large zero-filled blocks straight from the system: the pages are mapped
// zeroed on first touch, so nothing is cleared up front, and freeing returns
// them at once. (The C heap may hand a freed block out again and then has to
// clear all of it.)
char* allocateZeroPages(std::size_t size); // null when the system refuses
void freeZeroPages(char* block, std::size_t size);
// Gives the pages of the first size bytes back to the system, keeping the
// block: they read as zeros again and are mapped anew on the next touch.
void discardPages(char* block, std::size_t size);
