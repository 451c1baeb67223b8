#pragma once

#include <string>

// Directory of the loaded library file itself, without a trailing separator.
std::string libraryFileDirectory();

// The system's directory for temporary files, without a trailing separator.
std::string systemTempDirectory();
