#pragma once

#include <QString>

// The value of a desktop entry's Exec key that runs the program at path with
// no arguments: the path quoted when it holds a reserved character, with the
// quoting escapes, the string escapes of the file format and "%%" for "%".
QString desktopExecValue(const QString& path);
