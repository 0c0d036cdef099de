#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <cstdarg>

class LogMessage;

// The one hub every subsystem reports through. It stamps, filters by registered
// section and re-emits; it keeps nothing. Only "PortStatus", "Error" and "Sensors"
// exist in a normal run, so all protocol and engine chatter costs nothing unless "-g" is given.
// The protocols' sections come from their rows, registered by whoever starts the program.
class Logger : public QObject
{
    Q_OBJECT
public:
    // Diagnostic-only sections must stay after the always-registered ones: a
    // section's registration index then equals its value in both modes.
    enum Sections {
        PortStatus,
        Error,
        // What the user did to sensors and what became of them: found, lost,
        // written, refused. One line each, so the status tab tells the story.
        Sensors,
        Sensor,
        LineData,
        EngineState,
        Destruction,
        Detector,
        SectionsCount
    };
    Q_ENUM(Sections)

    struct Section
    {
        QByteArray name;
        QString title;
        bool enabledByDefault;
    };

    Logger();
    ~Logger() override;

    static Logger* instance();
    // Lets a sender skip building a record nobody would receive.
    static bool isRegistered(Sections section);

    void registerSection(const QByteArray& name, const QString& title, bool enabledByDefault);
    // A section written to only by name (the protocols' own): registered, off by
    // default, when the program runs with its diagnostic log ("-g").
    void registerDiagnosticSection(const QByteArray& name);
    // Every diagnostic section as if "-g" were given, then the named ones, all
    // titled by name: for tests, benchmarks and fuzzing, which have no "-g".
    void registerEverySection(const QByteArrayList& named);
    QString sectionTitle(int index) const;
    QString sectionName(int index) const;
    const QList<Section>& sections() const { return m_sections; }

    static void message(Sections section, const QString& text);
    static void message(const LogMessage& msg);
    static void message(const char* sectionName, const QString& text, int level);
    static void debug(const char* sectionName, const char* format, ...)
        __attribute__((format(printf, 2, 3)));
    static void warning(const char* sectionName, const char* format, ...)
        __attribute__((format(printf, 2, 3)));
    static void critical(const char* sectionName, const char* format, ...)
        __attribute__((format(printf, 2, 3)));
    static void vprintf(int level, const char* sectionName, const char* format, va_list args)
        __attribute__((format(printf, 3, 0)));

signals:
    void sectionsChanged();
    void newMessage(int section, QDateTime dt, QString msg);
    void newMessage(const LogMessage& msg);

private:
    void send(const LogMessage& msg);
    void send(const char* sectionName, const QString& text);

    const bool m_diagnostic;
    QList<Section> m_sections;
    QHash<QByteArray, int> m_indexByName;
};

void appendBytesToString(QString& out, const unsigned char* data, unsigned int length);
QString bytesToString(const unsigned char* data, unsigned int length);
QString bytesToString(const QByteArray& bytes);
const char* enumValueToCharStar(QObject* object, const char* enumName, int value);
