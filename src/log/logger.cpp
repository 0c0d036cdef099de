#include "log/logger.h"

#include "log/logmessage.h"

#include <QCoreApplication>
#include <QMetaEnum>
#include <cstdio>

namespace {

Logger* g_instance = nullptr;

struct SectionRow
{
    const char* name;
    bool enabledByDefault;
    bool diagnosticOnly;
};

// One row per Logger::Sections value, in enumeration order.
const SectionRow kSectionTable[Logger::SectionsCount] = {
    {QT_TRANSLATE_NOOP("Logger", "PortStatus"), true, false},
    {QT_TRANSLATE_NOOP("Logger", "Error"), false, false},
    {QT_TRANSLATE_NOOP("Logger", "Sensors"), true, false},
    {QT_TRANSLATE_NOOP("Logger", "Sensor"), false, true},
    {QT_TRANSLATE_NOOP("Logger", "LineData"), false, true},
    {QT_TRANSLATE_NOOP("Logger", "EngineState"), false, true},
    {QT_TRANSLATE_NOOP("Logger", "Destruction"), false, true},
    {QT_TRANSLATE_NOOP("Logger", "Detector"), false, true},
};

bool diagnosticModeRequested()
{
    return QCoreApplication::arguments().contains(QStringLiteral("-g"));
}

} // namespace

Logger::Logger()
    : m_diagnostic(diagnosticModeRequested())
{
    g_instance = this;
    for (const SectionRow& row : kSectionTable) {
        if (row.diagnosticOnly && !m_diagnostic)
            continue;
        registerSection(row.name, QCoreApplication::translate("Logger", row.name),
                        row.enabledByDefault);
    }
}

Logger::~Logger()
{
    if (g_instance == this)
        g_instance = nullptr;
}

Logger* Logger::instance()
{
    return g_instance;
}

bool Logger::isRegistered(Sections section)
{
    return g_instance && section >= 0 && section < g_instance->m_sections.size();
}

void Logger::registerSection(const QByteArray& name, const QString& title, bool enabledByDefault)
{
    if (m_indexByName.contains(name))
        qFatal("double register of section %s", name.constData());
    m_sections.append(Section{name, title, enabledByDefault});
    m_indexByName.insert(name, m_sections.size() - 1);
    emit sectionsChanged();
}

void Logger::registerDiagnosticSection(const QByteArray& name)
{
    if (m_diagnostic)
        registerSection(name, QCoreApplication::translate("Logger", name.constData()), false);
}

void Logger::registerEverySection(const QByteArrayList& named)
{
    QByteArrayList names;
    const QMetaEnum sections = QMetaEnum::fromType<Sections>();
    for (int value = m_sections.size(); value < SectionsCount; ++value)
        names << sections.valueToKey(value);
    for (const QByteArray& name : names + named)
        registerSection(name, QString::fromLatin1(name), false);
}

QString Logger::sectionTitle(int index) const
{
    return m_sections.at(index).title;
}

QString Logger::sectionName(int index) const
{
    return QString::fromLatin1(m_sections.at(index).name.constData());
}

// With no logger alive (before start-up made one, or in a test that needs none)
// the static senders do nothing rather than crash.
void Logger::message(Sections section, const QString& text)
{
    message(LogMessage(section, text));
}

void Logger::message(const LogMessage& msg)
{
    if (g_instance)
        g_instance->send(msg);
}

void Logger::message(const char* sectionName, const QString& text, int)
{
    if (g_instance)
        g_instance->send(sectionName, text);
}

void Logger::debug(const char* sectionName, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    vprintf(0, sectionName, format, args);
    va_end(args);
}

void Logger::warning(const char* sectionName, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    vprintf(2, sectionName, format, args);
    va_end(args);
}

void Logger::critical(const char* sectionName, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    vprintf(3, sectionName, format, args);
    va_end(args);
}

void Logger::vprintf(int level, const char* sectionName, const char* format, va_list args)
{
    // Formatting is the expensive part: skip it for a section that would be dropped.
    if (!g_instance || !g_instance->m_indexByName.contains(QByteArray(sectionName)))
        return;
    char buffer[256];
    std::vsnprintf(buffer, sizeof buffer, format, args);
    message(sectionName, QString::fromLatin1(buffer), level);
}

void Logger::send(const LogMessage& msg)
{
    if (msg.section() < 0 || msg.section() >= m_sections.size())
        return;
    emit newMessage(msg);
    emit newMessage(msg.section(), msg.dateTime(), msg.toString());
}

void Logger::send(const char* sectionName, const QString& text)
{
    const auto it = m_indexByName.constFind(QByteArray(sectionName));
    if (it == m_indexByName.constEnd())
        return;
    emit newMessage(it.value(), QDateTime::currentDateTime(), text);
}

void appendBytesToString(QString& out, const unsigned char* data, unsigned int length)
{
    static const char kDigits[] = "0123456789ABCDEF";
    if (length == 0)
        return;
    out.reserve(out.size() + int(3 * length - 1));
    for (unsigned int i = 0; i < length; ++i) {
        if (i > 0)
            out.append(QLatin1Char(' '));
        out.append(QLatin1Char(kDigits[data[i] >> 4]));
        out.append(QLatin1Char(kDigits[data[i] & 0x0F]));
    }
}

QString bytesToString(const unsigned char* data, unsigned int length)
{
    QString out;
    appendBytesToString(out, data, length);
    return out;
}

QString bytesToString(const QByteArray& bytes)
{
    return bytesToString(reinterpret_cast<const unsigned char*>(bytes.constData()),
                         unsigned(bytes.size()));
}

const char* enumValueToCharStar(QObject* object, const char* enumName, int value)
{
    if (!object)
        return "(null)";
    const QMetaObject* meta = object->metaObject();
    const int index = meta->indexOfEnumerator(enumName);
    if (index < 0)
        return "(null)";
    return meta->enumerator(index).valueToKey(value);
}
