#pragma once

#include <QString>

class QWidget;

// The folder a kind of file was last saved to or opened from, so the next
// dialog for it starts there; Documents the first time, or when that folder
// has gone, and the home folder on an account without Documents. A dialog
// never starts on a folder that is not there: it would offer the folder's name
// as the file's.
namespace LastFolder {

QString of(const char* key);
// Remembers the folder of the file at path.
void remember(const char* key, const QString& path);
// Asks where to save a file of the kind, proposing name in its folder; suffix
// (without the dot) is added to a name typed without one, so the open dialog
// of the kind lists the file. Empty when cancelled; the folder is remembered.
QString askSave(QWidget* parent, const QString& title, const char* key, const QString& name,
                const QString& filter, const QString& suffix);
// Asks which file of the kind to open; empty when cancelled.
QString askOpen(QWidget* parent, const QString& title, const char* key, const QString& filter);

} // namespace LastFolder
