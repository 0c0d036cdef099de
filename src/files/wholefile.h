#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

// Every file Nivelon writes or reads whole. A write goes to a temporary file
// beside the target, is synced, and only then takes the target's name: a failure
// at any step (a full disk, a folder gone) leaves the earlier file as it was and
// removes the temporary one. Only regular files are written or read: a device or
// a pipe at the path is refused, never replaced, never waited on. A symbolic link
// is followed to its file and stays a link. Errors read "cannot write FILE: why".
class WholeFile
{
    Q_DECLARE_TR_FUNCTIONS(WholeFile)
public:
    static bool write(const QString& path, const QByteArray& content, QString* error);
    // Whether write could put its file there, for work that takes a while
    // before the writing.
    static bool writable(const QString& path, QString* error);
    // A regular file of at most maxBytes, refused before a byte is read when it
    // is anything else.
    static bool read(const QString& path, qint64 maxBytes, QByteArray* content, QString* error);
    // The regular file that writing to path reaches (links followed), existing or
    // not; empty, with the error, when path is a folder, a device or a pipe. For
    // a file written as it grows, such as the log.
    static QString target(const QString& path, QString* error);
    // "cannot write FILE: reason".
    static QString writeFailure(const QString& path, const QString& reason);
};
