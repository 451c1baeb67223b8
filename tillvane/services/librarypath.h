#pragma once

#include <QString>

// Where a payment library named in the settings is loaded from:
//  "./name"           -> the program's directory followed by "/name";
//  "D:..." (drive)    -> the name unchanged;
//  "/abs" or "name"   -> the program's directory, then "/" unless the name
//                        already starts with one, then the name;
//  ""                 -> "" (loading then fails).
QString resolveLibraryPath(const QString& name, const QString& programDir);
QString resolveLibraryPath(const QString& name);
