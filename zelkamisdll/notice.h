#pragma once

// Tells the operator about a problem without blocking the calling thread:
// one log entry and one line on stderr.
void showNotice(const char* text, const char* caption);
