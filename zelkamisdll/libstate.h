#pragma once

#include <string>

// Library-wide state set by the path exports. Calls into the library do not overlap,
// so it is not locked.
struct LibraryState {
    std::string settingsDirectory;
    std::string libraryDirectory;
    std::string logDirectory;
    bool loggingOn = false;
};

LibraryState& libraryState();
