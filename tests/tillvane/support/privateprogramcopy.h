#pragma once

#include <QString>

// The code under test keeps its settings files, its log folder and its
// autostart entry in places derived from the program's own folder, the working
// directory and the user's configuration folder. A test program that calls
// runFromPrivateCopy() from a static initialiser runs from a copy of itself in
// a temporary folder of its own, which is also its working directory, HOME and
// XDG_CONFIG_HOME; the folder is removed when the program exits.
//
// The first call copies the program and replaces the process with the copy
// (same process id, same arguments); in the copy it returns true.
bool runFromPrivateCopy();

// The folder of the copy (empty before runFromPrivateCopy() succeeded).
QString privateProgramFolder();
