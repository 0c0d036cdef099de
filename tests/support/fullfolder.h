#pragma once

#include <QMetaType>
#include <QString>
#include <QTemporaryDir>
#include <sys/resource.h>

// A folder where writing fails as on a full disk, in one of two ways: a tiny
// tmpfs really filled up, where the test may mount one (root with the right to
// mount), or any folder under a file size limit of 0 bytes for this process or
// a tool it started, so that every write into a regular file fails (EFBIG). The
// second works everywhere, the first is the real thing.
class FullFolder
{
public:
    enum Kind { FullFileSystem, WriteLimit };
    explicit FullFolder(Kind kind);
    ~FullFolder();
    FullFolder(const FullFolder&) = delete;
    FullFolder& operator=(const FullFolder&) = delete;

    // Why this kind cannot be had here, for the test to skip; empty when it can.
    QString unavailable() const { return m_unavailable; }
    QString filePath(const QString& name) const { return m_folder.filePath(name); }
    // The system's words for the failure a writer should pass on.
    QString reason() const;
    // Files written before stay as they are; nothing more fits after it. The
    // size limit binds this process, or the one given: a tool under it from its
    // start could not even lock its port.
    void fill(qint64 process = 0);
    // Lifts the size limit; a filled file system stays full.
    void release();

private:
    Kind m_kind;
    QTemporaryDir m_folder;
    QString m_unavailable;
    bool m_mounted = false;
    bool m_limited = false;
    rlimit m_limit{};
};

Q_DECLARE_METATYPE(FullFolder::Kind)
