// Writing whole files: a full disk part way through, and paths that are not
// regular files (reading them is tested through nivelon-cli).
#include "files/wholefile.h"
#include "support/fullfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

namespace {

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

bool put(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.flush();
}

} // namespace

class TestWholeFile : public QObject
{
    Q_OBJECT
private slots:
    void fullDiskLeavesTheEarlierFile_data();
    void fullDiskLeavesTheEarlierFile();
    void writesGoToRegularFilesOnly_data();
    void writesGoToRegularFilesOnly();
};

void TestWholeFile::fullDiskLeavesTheEarlierFile_data()
{
    QTest::addColumn<FullFolder::Kind>("kind");
    QTest::addColumn<int>("bytes");
    // Part of it fits: the first write is taken, a later one fails.
    QTest::newRow("tmpfs, larger than what was free") << FullFolder::FullFileSystem << 20000;
    QTest::newRow("size limit") << FullFolder::WriteLimit << 100;
}

// The old file keeps its bytes, no temporary file stays, and the reason is the system's.
void TestWholeFile::fullDiskLeavesTheEarlierFile()
{
    QFETCH(FullFolder::Kind, kind);
    QFETCH(int, bytes);
    FullFolder folder(kind);
    if (!folder.unavailable().isEmpty())
        QSKIP(qPrintable(folder.unavailable()));
    const QString path = folder.filePath(QStringLiteral("profile.json"));
    QVERIFY(put(path, "earlier\n"));
    folder.fill();
    QString error;
    const bool written = WholeFile::write(path, QByteArray(bytes, 'x'), &error);
    folder.release();
    QVERIFY(!written);
    QCOMPARE(error, QStringLiteral("cannot write %1: %2").arg(path, folder.reason()));
    QCOMPARE(contentOf(path), QByteArray("earlier\n"));
    QCOMPARE(
        QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden),
        (QStringList{"filler", "profile.json"}.mid(kind == FullFolder::FullFileSystem ? 0 : 1)));
}

void TestWholeFile::writesGoToRegularFilesOnly_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("regular file, replaced") << "file"
                                            << "";
    QTest::newRow("link to a file, followed") << "link"
                                              << "";
    QTest::newRow("link to no file yet, creates it") << "dangling"
                                                     << "";
    QTest::newRow("pipe") << "fifo"
                          << "not a regular file (a device or a pipe)";
    QTest::newRow("device") << "device"
                            << "not a regular file (a device or a pipe)";
    QTest::newRow("folder") << "folder"
                            << "it is a folder";
}

void TestWholeFile::writesGoToRegularFilesOnly()
{
    QFETCH(QString, kind);
    QFETCH(QString, refusal);
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("target"));
    QString path = target;
    if (kind == "file" || kind == "link")
        QVERIFY(put(target, "earlier"));
    if (kind == "link" || kind == "dangling") {
        path = dir.filePath(QStringLiteral("link"));
        QVERIFY(QFile::link(QStringLiteral("target"), path));
    } else if (kind == "fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == "device") {
        path = QStringLiteral("/dev/full");
    } else if (kind == "folder") {
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("target")));
    }
    const QFileInfo before(path);
    QString error;
    const bool written = WholeFile::write(path, "new", &error);
    if (refusal.isEmpty()) {
        QVERIFY2(written, qPrintable(error));
        QCOMPARE(contentOf(target), QByteArray("new"));
        QCOMPARE(QFileInfo(path).isSymLink(), kind == "link" || kind == "dangling");
    } else {
        QVERIFY(!written);
        QCOMPARE(error, QStringLiteral("cannot write %1: %2").arg(path, refusal));
        QVERIFY(!QFileInfo(path).isFile());
        QCOMPARE(QFileInfo(path).isDir(), before.isDir());
    }
    QCOMPARE(WholeFile::writable(path, &error), refusal.isEmpty());
    const QStringList left =
        QDir(dir.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    QVERIFY2(left.filter(QStringLiteral(".target")).isEmpty(), qPrintable(left.join(' ')));
}

QTEST_GUILESS_MAIN(TestWholeFile)
#include "tst_wholefile.moc"
