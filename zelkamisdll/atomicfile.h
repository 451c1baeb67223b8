#pragma once

#include <string>

// Replaces the file at path with content in one step: the content goes to a temporary
// file in the same directory, which is then renamed over path. False on any failure,
// with path untouched.
bool writeFileAtomically(const std::string& path, const std::string& content);
