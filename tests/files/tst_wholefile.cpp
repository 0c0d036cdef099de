// What a write reaches: links are followed, anything but a regular file is
// refused and left as it was. A full disk is tested through each writer, in
// the tool's and the window's tests; reading through nivelon-cli.
#include "files/wholefile.h"

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
    void writesGoToRegularFilesOnly_data();
    void writesGoToRegularFilesOnly();
};

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
