// Writing and reading whole files: a full disk, and paths that are not regular
// files.
#include "files/wholefile.h"
#include "support/fullfolder.h"

#include <QDir>
#include <QElapsedTimer>
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
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() &&
           file.flush();
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
    void readsTakeRegularFilesOfTheirSizeOnly_data();
    void readsTakeRegularFilesOfTheirSizeOnly();
};

void TestWholeFile::fullDiskLeavesTheEarlierFile_data()
{
    QTest::addColumn<FullFolder::Kind>("kind");
    QTest::addColumn<int>("bytes");
    QTest::newRow("tmpfs, a small file") << FullFolder::FullFileSystem << 100;
    QTest::newRow("tmpfs, larger than what was free") << FullFolder::FullFileSystem << 20000;
    QTest::newRow("size limit, a small file") << FullFolder::WriteLimit << 100;
    QTest::newRow("size limit, a large file") << FullFolder::WriteLimit << 200000;
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
    QCOMPARE(QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden),
             (QStringList{"filler", "profile.json"}.mid(kind == FullFolder::FullFileSystem ? 0 : 1)));
}

void TestWholeFile::writesGoToRegularFilesOnly_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("regular file, replaced") << "file" << "";
    QTest::newRow("link to a file, followed") << "link" << "";
    QTest::newRow("link to no file yet, creates it") << "dangling" << "";
    QTest::newRow("pipe") << "fifo" << "not a regular file (a device or a pipe)";
    QTest::newRow("device") << "device" << "not a regular file (a device or a pipe)";
    QTest::newRow("folder") << "folder" << "it is a folder";
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
    const QStringList left = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden |
                                                        QDir::System | QDir::NoDotAndDotDot);
    QVERIFY2(left.filter(QStringLiteral(".target")).isEmpty(), qPrintable(left.join(' ')));
}

void TestWholeFile::readsTakeRegularFilesOfTheirSizeOnly_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("regular file") << "file" << "";
    QTest::newRow("too large") << "large" << "2001 bytes, more than the 2000 such a file can have";
    QTest::newRow("pipe without a writer") << "fifo" << "not a regular file (a device or a pipe)";
    QTest::newRow("endless device") << "device" << "not a regular file (a device or a pipe)";
    QTest::newRow("missing") << "missing" << "No such file or directory";
}

// A pipe nobody writes to is refused at once instead of waiting for ever.
void TestWholeFile::readsTakeRegularFilesOfTheirSizeOnly()
{
    QFETCH(QString, kind);
    QFETCH(QString, refusal);
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("table.csv"));
    if (kind == "file")
        QVERIFY(put(path, "0,100,1\n"));
    else if (kind == "large")
        QVERIFY(put(path, QByteArray(2001, '#')));
    else if (kind == "fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (kind == "device")
        path = QStringLiteral("/dev/zero");
    QByteArray content;
    QString error;
    QElapsedTimer clock;
    clock.start();
    const bool read = WholeFile::read(path, 2000, &content, &error);
    QVERIFY(clock.elapsed() < 1000);
    QCOMPARE(read, refusal.isEmpty());
    if (read)
        QCOMPARE(content, QByteArray("0,100,1\n"));
    else
        QCOMPARE(error, QStringLiteral("cannot read %1: %2").arg(path, refusal));
}

QTEST_GUILESS_MAIN(TestWholeFile)
#include "tst_wholefile.moc"
