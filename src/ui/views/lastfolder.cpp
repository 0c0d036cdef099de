#include "views/lastfolder.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace LastFolder {

QString of(const char* key)
{
    const QString stored = QSettings().value(QLatin1String(key)).toString();
    if (!stored.isEmpty() && QFileInfo(stored).isDir())
        return stored;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void remember(const char* key, const QString& path)
{
    QSettings().setValue(QLatin1String(key), QFileInfo(path).absolutePath());
}

QString askSave(QWidget* parent, const QString& title, const char* key, const QString& name,
                const QString& filter, const QString& suffix)
{
    QFileDialog dialog(parent, title, QDir(of(key)).filePath(name), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString path = dialog.selectedFiles().constFirst();
    remember(key, path);
    return path;
}

QString askOpen(QWidget* parent, const QString& title, const char* key, const QString& filter)
{
    const QString path = QFileDialog::getOpenFileName(parent, title, of(key), filter);
    if (!path.isEmpty())
        remember(key, path);
    return path;
}

} // namespace LastFolder
