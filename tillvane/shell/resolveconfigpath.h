#pragma once

#include <QString>

// Turns a relative file name such as "./server.ini" into a path inside the
// program's directory. A name with a drive letter ("C:/x.ini") is kept as it is.
// Needs the application object to exist.
QString resolveConfigPath(const QString& name);
