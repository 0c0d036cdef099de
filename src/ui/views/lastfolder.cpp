#include "views/lastfolder.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace LastFolder {

QString of(const char* key)
{
    const QString stored = QSettings().value(QLatin1String(key)).toString();
    return !stored.isEmpty() && QDir(stored).exists()
               ? stored
               : QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

void remember(const char* key, const QString& path)
{
    QSettings().setValue(QLatin1String(key), QFileInfo(path).absolutePath());
}

} // namespace LastFolder
