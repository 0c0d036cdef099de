#include "engine/linedatamessage.h"
#include "log/logger.h"
#include "log/logmessage.h"
#include "session/protocoltable.h"
#include "support/childprocess.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QtTest>
#include <cstdio>
#include <cstring>

namespace {

// A message whose text is computed, counting how often it was asked for.
class CountingMessage : public LogMessage
{
public:
    explicit CountingMessage(Logger::Sections section)
        : LogMessage(section)
    {}
    mutable int computed = 0;

protected:
    QString toStringImpl() const override
    {
        ++computed;
        return QStringLiteral("computed");
    }
};

// Child-process entry: prints the registered sections, one "name title flag" per line.
int printSections(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Logger logger;
    ProtocolTable::registerLogSections(logger);
    for (const Logger::Section& s : logger.sections())
        std::printf("%s %d\n", s.name.constData(), s.enabledByDefault ? 1 : 0);
    return 0;
}

int registerTwice(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Logger logger;
    logger.registerSection("Error", QStringLiteral("Error"), false);
    return 0;
}

} // namespace

class TestLogger : public QObject
{
    Q_OBJECT
private slots:
    void normalModeRegistersThreeSectionsAndDropsTheRest();
    void diagnosticModeIsTheWholeArgumentOnly_data();
    void diagnosticModeIsTheWholeArgumentOnly();
    void diagnosticModeAcceptsEverySection();
    void structuredMessagesCacheTheirText();
    void printfPathTruncatesAndDropsUnknownSections();
    void hexRendering_data();
    void hexRendering();
    void enumKeys();
    void doubleRegistrationIsFatal();
    void sendingWithoutLoggerIsHarmless();
};

void TestLogger::normalModeRegistersThreeSectionsAndDropsTheRest()
{
    Logger logger;
    QCOMPARE(Logger::instance(), &logger);
    QCOMPARE(logger.sections().size(), 3);
    QCOMPARE(logger.sectionName(0), QStringLiteral("PortStatus"));
    QVERIFY(logger.sections().at(0).enabledByDefault);
    QCOMPARE(logger.sectionName(1), QStringLiteral("Error"));
    QVERIFY(!logger.sections().at(1).enabledByDefault);
    QCOMPARE(logger.sectionName(2), QStringLiteral("Sensors"));
    QVERIFY(logger.sections().at(2).enabledByDefault);

    QSignalSpy textSpy(&logger, qOverload<int, QDateTime, QString>(&Logger::newMessage));
    QSignalSpy structuredSpy(&logger, qOverload<const LogMessage&>(&Logger::newMessage));
    Logger::message(Logger::LineData, QStringLiteral("dropped"));
    Logger::message(LineDataMessage(EngineCommand(), CommandCallback::Ok));
    Logger::debug("ModBusEngine", "dropped %d", 1);
    Logger::message("NoSuchSection", QStringLiteral("dropped"), 0);
    QCOMPARE(textSpy.count(), 0);
    QCOMPARE(structuredSpy.count(), 0);

    Logger::message(Logger::Error, QStringLiteral("kept"));
    Logger::warning("PortStatus", "port %s", "ttyUSB0");
    QCOMPARE(textSpy.count(), 2);
    QCOMPARE(structuredSpy.count(), 1);
    QCOMPARE(textSpy.at(0).at(0).toInt(), 1);
    QCOMPARE(textSpy.at(0).at(2).toString(), QStringLiteral("kept"));
    QCOMPARE(textSpy.at(1).at(0).toInt(), 0);
    QCOMPARE(textSpy.at(1).at(2).toString(), QStringLiteral("port ttyUSB0"));
}

void TestLogger::diagnosticModeIsTheWholeArgumentOnly_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<int>("sections");
    QTest::newRow("-g") << "-g" << 13;
    QTest::newRow("-G") << "-G" << 3;
    QTest::newRow("--g") << "--g" << 3;
    QTest::newRow("-gx") << "-gx" << 3;
}

void TestLogger::diagnosticModeIsTheWholeArgumentOnly()
{
    QFETCH(QString, argument);
    QFETCH(int, sections);
    const ChildResult child = runSelf({QStringLiteral("--print-sections"), argument});
    QVERIFY(!child.crashed);
    const QStringList lines = child.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), sections);
    QCOMPARE(lines.first(), QStringLiteral("PortStatus 1"));
    if (sections == 13) {
        QCOMPARE(lines.at(4), QStringLiteral("LineData 0"));
        QCOMPARE(lines.at(7), QStringLiteral("Detector 0"));
        QCOMPARE(lines.last(), QStringLiteral("ModBusEngine 0"));
    }
}

void TestLogger::diagnosticModeAcceptsEverySection()
{
    Logger logger;
    QSignalSpy changed(&logger, &Logger::sectionsChanged);
    for (int value = Logger::Sensor; value < Logger::SectionsCount; ++value) {
        const QByteArray name = QMetaEnum::fromType<Logger::Sections>().valueToKey(value);
        logger.registerSection(name, QString::fromLatin1(name), false);
    }
    QCOMPARE(changed.count(), int(Logger::SectionsCount - Logger::Sensor));
    QSignalSpy textSpy(&logger, qOverload<int, QDateTime, QString>(&Logger::newMessage));
    for (int value = 0; value < Logger::SectionsCount; ++value)
        Logger::message(Logger::Sections(value), QString::number(value));
    QCOMPARE(textSpy.count(), int(Logger::SectionsCount));
    for (int value = 0; value < Logger::SectionsCount; ++value)
        QCOMPARE(textSpy.at(value).at(0).toInt(), value);
    Logger::message(LogMessage(Logger::SectionsCount, QStringLiteral("out of range")));
    QCOMPARE(textSpy.count(), int(Logger::SectionsCount));
}

void TestLogger::structuredMessagesCacheTheirText()
{
    Logger logger;
    QCOMPARE(LogMessage(Logger::PortStatus).toString(), QStringLiteral("TODO"));
    QCOMPARE(LogMessage(Logger::PortStatus, QString("")).toString(), QString(""));

    CountingMessage message(Logger::PortStatus);
    QSignalSpy textSpy(&logger, qOverload<int, QDateTime, QString>(&Logger::newMessage));
    Logger::message(message);
    QCOMPARE(message.toString(), QStringLiteral("computed"));
    QCOMPARE(message.computed, 1);
    QCOMPARE(textSpy.at(0).at(2).toString(), QStringLiteral("computed"));
    QCOMPARE(textSpy.at(0).at(1).toDateTime(), message.dateTime());
}

void TestLogger::printfPathTruncatesAndDropsUnknownSections()
{
    Logger logger;
    QSignalSpy textSpy(&logger, qOverload<int, QDateTime, QString>(&Logger::newMessage));
    QSignalSpy structuredSpy(&logger, qOverload<const LogMessage&>(&Logger::newMessage));
    const QByteArray longText(400, 'x');
    Logger::critical("Error", "%s", longText.constData());
    QCOMPARE(textSpy.count(), 1);
    QCOMPARE(textSpy.at(0).at(2).toString(), QString(255, QLatin1Char('x')));
    QCOMPARE(structuredSpy.count(), 0);
    Logger::debug("error", "case matters");
    QCOMPARE(textSpy.count(), 1);
}

void TestLogger::hexRendering_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("one") << QByteArray("\x0f", 1) << "0F";
    QTest::newRow("three") << QByteArray("\x01\xa2\xff", 3) << "01 A2 FF";
    QTest::newRow("zero byte") << QByteArray("\x00\x3e", 2) << "00 3E";
}

void TestLogger::hexRendering()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(bytesToString(bytes), text);
    QString appended = QStringLiteral("head:");
    appendBytesToString(appended, reinterpret_cast<const unsigned char*>(bytes.constData()),
                        unsigned(bytes.size()));
    QCOMPARE(appended, QStringLiteral("head:") + text);
}

void TestLogger::enumKeys()
{
    Logger logger;
    QCOMPARE(enumValueToCharStar(nullptr, "State", 1), "(null)");
    QCOMPARE(enumValueToCharStar(&logger, "NoSuchEnum", 1), "(null)");
    QCOMPARE(enumValueToCharStar(&logger, "Sections", Logger::LineData), "LineData");
    QCOMPARE(enumValueToCharStar(&logger, "Sections", 99), static_cast<const char*>(nullptr));
}

void TestLogger::doubleRegistrationIsFatal()
{
    const ChildResult child = runSelf({QStringLiteral("--register-twice")});
    QVERIFY(child.crashed);
    QVERIFY2(child.output.contains(QStringLiteral("double register of section Error")),
             qPrintable(child.output));
}

void TestLogger::sendingWithoutLoggerIsHarmless()
{
    QVERIFY(!Logger::instance());
    Logger::message(Logger::PortStatus, QStringLiteral("nobody listens"));
    Logger::debug("PortStatus", "nobody listens");
}

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "--print-sections") == 0)
        return printSections(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "--register-twice") == 0)
        return registerTwice(argc, argv);
    QCoreApplication app(argc, argv);
    TestLogger test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_logger.moc"
