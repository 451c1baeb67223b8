#include "librarypath.h"

#include <QCoreApplication>

QString resolveLibraryPath(const QString& name, const QString& programDir)
{
    if (name.isEmpty())
        return QString();
    if (name.startsWith(QLatin1String("./")))
        return programDir + name.mid(1);
    if (name.size() > 1 && name.at(1) == QLatin1Char(':'))
        return name;
    if (name.startsWith(QLatin1Char('/')))
        return programDir + name;
    return programDir + QLatin1Char('/') + name;
}

QString resolveLibraryPath(const QString& name)
{
    return resolveLibraryPath(name, QCoreApplication::applicationDirPath());
}
