#include "monitorcommand.h"

#include "engine/readingtext.h"
#include "files/wholefile.h"
#include "monitor/passivedecoders.h"
#include "session/enginefactory.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

// A kept session of a day on a 19200-baud line, as text, with room to spare.
const qint64 kLargestCapture = qint64(1) << 30;

QJsonValue milliseconds(double value)
{
    return value < 0 ? QJsonValue() : QJsonValue(value);
}

QString hexText(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex(' ')).toUpper();
}

QString millisecondsText(double value)
{
    return value < 0 ? QStringLiteral("-") : QStringLiteral("%1 ms").arg(value, 0, 'f', 1);
}

template <typename Key>
QJsonObject countsJson(const QMap<Key, int>& counts)
{
    QJsonObject object;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        object.insert(QStringLiteral("%1").arg(it.key()), it.value());
    return object;
}

template <typename Key>
QString countsText(const QMap<Key, int>& counts)
{
    QStringList parts;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        parts << QStringLiteral("%1 x%2").arg(it.key()).arg(it.value());
    return parts.isEmpty() ? QStringLiteral("none") : parts.join(QStringLiteral(", "));
}

} // namespace

MonitorCommand::MonitorCommand(const CliOptions& options, CliOutput* output)
    : CliCommand(options, output)
{
    m_stopTimer.setSingleShot(true);
    connect(&m_stopTimer, &QTimer::timeout, this, [this] { stop(ExitDone); });
    connect(&m_monitor, &LineMonitor::exchangeDecoded, this, &MonitorCommand::printExchange);
    connect(&m_monitor, &LineMonitor::protocolFound, this, &MonitorCommand::protocolFound);
    connect(&m_monitor, &LineMonitor::portFailed, this, &MonitorCommand::lineFailed);
    connect(&m_monitor, &LineMonitor::bytesArrived, this,
            [this](const QByteArray& bytes, qint64 timeMs) { m_capture.append(bytes, timeMs); });
    connect(&m_monitor, &LineMonitor::listening, this, [this](quint32 busType) {
        m_capture.remark(QStringLiteral("listening at the line settings of %1")
                             .arg(PassiveDecoders::name(busType)));
    });
}

void MonitorCommand::start()
{
    m_monitor.setBusType(m_options.modelIndex < 0
                             ? LineMonitor::AnyBus
                             : EngineFactory::features(unsigned(m_options.modelIndex)) &
                                   EngineFactory::BusTypeMask);
    m_running = true;
    if (m_options.replay.isEmpty())
        listen();
    else
        replay();
}

void MonitorCommand::interrupt(int signalNumber)
{
    if (m_running)
        stop(exitCodeOfSignal(signalNumber));
    else
        CliCommand::interrupt(signalNumber);
}

void MonitorCommand::lineFailed(const QString& reason)
{
    if (m_running)
        stop(ExitPortFailure, QStringLiteral("port %1 failed: %2").arg(m_options.port, reason));
    else
        CliCommand::lineFailed(reason);
}

void MonitorCommand::replay()
{
    QByteArray text;
    QString error;
    QList<LineCapture::Chunk> chunks;
    qint64 endMs = 0;
    if (!WholeFile::read(m_options.replay, kLargestCapture, &text, &error) ||
        !LineCapture::parse(text, &chunks, &endMs, &error)) {
        m_running = false;
        finish(ExitBadArguments,
               QStringLiteral("cannot replay %1: %2").arg(m_options.replay, error));
        return;
    }
    for (const LineCapture::Chunk& chunk : chunks)
        m_monitor.feed(chunk.bytes, chunk.timeMs);
    m_monitor.finishAt(endMs);
    stop(ExitDone);
}

void MonitorCommand::listen()
{
    QString error;
    if (!m_options.raw.isEmpty() && !WholeFile::writable(m_options.raw, &error)) {
        m_running = false;
        finish(ExitPortFailure, error);
        return;
    }
    m_port.setPortName(m_options.port);
    if (!m_monitor.start(&m_port)) {
        m_running = false;
        finish(ExitPortFailure, QStringLiteral("cannot open port %1: %2; check the name with "
                                               "\"nivelon-cli ports\"")
                                    .arg(m_options.port, m_monitor.portError()));
        return;
    }
    m_output->note(
        QStringLiteral("nivelon-cli: listening on %1, sending nothing%2")
            .arg(m_options.port, m_monitor.busType() == LineMonitor::AnyBus
                                     ? QStringLiteral("; trying each protocol's line settings")
                                     : QString()));
    if (m_options.seconds > 0)
        m_stopTimer.start(int(m_options.seconds * 1000));
}

void MonitorCommand::protocolFound(quint32 busType)
{
    m_output->note(
        QStringLiteral("nivelon-cli: the line speaks %1").arg(PassiveDecoders::name(busType)));
}

void MonitorCommand::printExchange(const MonitorExchange& exchange)
{
    ++m_exchanges;
    SensorReading reading;
    if (exchange.hasReply && exchange.reply.hasReading)
        reading = exchange.reply.reading;
    reading.timeMs = exchange.timeMs;
    if (!m_csv) {
        m_csv.emplace(m_monitor.busType() == EngineFactory::BusOmniComm, nullptr);
        m_output->text(m_csv->header() +
                       QStringLiteral(",Address,Direction,Result,LatencyMs,Detail"));
    }
    const QString latency =
        exchange.latencyMs < 0 ? QString() : QString::number(exchange.latencyMs);
    m_output->text(QStringList{m_csv->row(reading), QString::number(exchange.address),
                               exchange.directionText(), exchange.resultText(), latency,
                               exchange.detailText()}
                       .join(','));
    QJsonObject line = ReadingText::toJson(reading);
    line.insert("type", "exchange");
    line.insert("protocol", protocolName());
    line.insert("address", exchange.address);
    line.insert("function", exchange.function);
    line.insert("direction", exchange.directionText());
    line.insert("result", exchange.resultText());
    line.insert("latencyMs", milliseconds(double(exchange.latencyMs)));
    line.insert("detail", exchange.detailText());
    line.insert("request",
                exchange.hasRequest ? QJsonValue(hexText(exchange.request.bytes)) : QJsonValue());
    line.insert("reply",
                exchange.hasReply ? QJsonValue(hexText(exchange.reply.bytes)) : QJsonValue());
    m_output->json(line);
}

void MonitorCommand::stop(ExitCode code, const QString& error)
{
    if (!m_running)
        return;
    m_running = false;
    m_stopTimer.stop();
    if (m_options.replay.isEmpty())
        m_monitor.finish();
    printSummary();
    QString captureError;
    if (!keepCapture(&captureError) && code == ExitDone) {
        finish(ExitPortFailure, captureError);
        return;
    }
    if (code == ExitDone && m_exchanges == 0)
        finish(ExitNothingAnswered,
               QStringLiteral("nothing decoded from %1: check the port, the model and that the "
                              "master is polling")
                   .arg(source()));
    else
        finish(code, error);
}

bool MonitorCommand::keepCapture(QString* error)
{
    if (m_options.raw.isEmpty() || !m_options.replay.isEmpty())
        return true;
    m_capture.end(QDateTime::currentMSecsSinceEpoch());
    return WholeFile::write(m_options.raw, m_capture.text(), error);
}

void MonitorCommand::printSummary()
{
    for (const AddressFigures& figures : m_monitor.figures())
        printAddress(figures);
    if (!m_output->isJson()) {
        m_output->note(QStringLiteral("%1: %2 exchanges of %3; %4 bytes rejected in %5 runs")
                           .arg(source())
                           .arg(m_exchanges)
                           .arg(protocolName())
                           .arg(m_monitor.rejectedBytes())
                           .arg(m_monitor.rejectedRuns()));
        return;
    }
    m_output->json(QJsonObject{{"type", "line"},
                               {"protocol", protocolName()},
                               {"decoded", m_exchanges},
                               {"rejectedBytes", double(m_monitor.rejectedBytes())},
                               {"rejectedRuns", m_monitor.rejectedRuns()}});
}

void MonitorCommand::printAddress(const AddressFigures& figures)
{
    const SensorReading& reading = figures.lastReading;
    if (!m_output->isJson()) {
        const QString level =
            figures.hasReading ? ReadingText::toText(reading) : QStringLiteral("none");
        m_output->note(QStringLiteral("address %1: %2 requests, %3 replies, %4 time-outs, %5 "
                                      "checksum failures, %6 exceptions (%7), %8 sent unasked, %9 "
                                      "unpaired; poll period %10, latency mean %11 max %12; last "
                                      "%13; status codes %14")
                           .arg(figures.address)
                           .arg(figures.requests)
                           .arg(figures.replies)
                           .arg(figures.timeouts)
                           .arg(figures.checksumFailures)
                           .arg(figures.exceptions)
                           .arg(countsText(figures.exceptionNames))
                           .arg(figures.sentUnasked)
                           .arg(figures.unpaired)
                           .arg(millisecondsText(figures.pollPeriodMs()),
                                millisecondsText(figures.latencyMeanMs()),
                                millisecondsText(double(figures.latencyMaxMs)), level,
                                countsText(figures.statusCodes)));
        return;
    }
    QJsonObject line = figures.hasReading ? ReadingText::levelJson(reading)
                                          : ReadingText::levelJson(SensorReading());
    line.insert("type", "summary");
    line.insert("address", figures.address);
    line.insert("requests", figures.requests);
    line.insert("replies", figures.replies);
    line.insert("timeouts", figures.timeouts);
    line.insert("checksumFailures", figures.checksumFailures);
    line.insert("exceptions", figures.exceptions);
    line.insert("exceptionNames", countsJson(figures.exceptionNames));
    line.insert("unsolicited", figures.sentUnasked);
    line.insert("unpaired", figures.unpaired);
    line.insert("pollPeriodMs", milliseconds(figures.pollPeriodMs()));
    line.insert("meanReplyMs", milliseconds(figures.latencyMeanMs()));
    line.insert("maxReplyMs", milliseconds(double(figures.latencyMaxMs)));
    if (figures.hasReading)
        line.insert("RawLevel", reading.rawLevel);
    line.insert("statusCodes", countsJson(figures.statusCodes));
    m_output->json(line);
}

QString MonitorCommand::protocolName() const
{
    return PassiveDecoders::name(m_monitor.busType());
}

QString MonitorCommand::source() const
{
    return m_options.replay.isEmpty() ? m_options.port : m_options.replay;
}
