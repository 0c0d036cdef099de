#pragma once

#include <QString>

// The folder a kind of file was last saved to or opened from, so the next
// dialog for it starts there; Documents the first time, or when that folder
// has gone.
namespace LastFolder {

QString of(const char* key);
// Remembers the folder of the file at path.
void remember(const char* key, const QString& path);

} // namespace LastFolder
