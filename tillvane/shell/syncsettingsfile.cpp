#include "syncsettingsfile.h"

#include <QDebug>
#include <QSettings>

bool syncSettingsFile(QSettings& settings)
{
    settings.sync();
    if (settings.status() != QSettings::AccessError)
        return true;
    qWarning() << "cannot write settings file" << settings.fileName();
    return false;
}
