#include "resolveconfigpath.h"

#include <QCoreApplication>

QString resolveConfigPath(const QString& name)
{
    if (name.isEmpty())
        return QString();

    QString relative = name;
    if (relative.startsWith(QLatin1String("./")))
        relative.remove(0, 1);
    else if (relative.size() > 1 && relative.at(1) == QLatin1Char(':'))
        return relative;

    if (!relative.startsWith(QLatin1Char('/')))
        relative.prepend(QLatin1Char('/'));
    return QCoreApplication::applicationDirPath() + relative;
}
