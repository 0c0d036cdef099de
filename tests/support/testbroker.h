#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// Debian's mosquitto broker, started by a test in a folder of its own on a
// free local port: plain or TLS (with a CA made for the occasion), with or
// without a password. Never a broker the machine runs already.
class TestBroker
{
public:
    struct Options
    {
        bool tls = false;
        QString user; // with a password: anonymous clients are refused
        QString password;
        // With TLS, a certificate made out to another name than the broker's.
        bool stranger = false;
    };

    explicit TestBroker(const QString& folder);
    ~TestBroker();

    // Starts on port, or on a free one when port is 0; false with error() when
    // it did not come up.
    bool start(const Options& options, int port = 0);
    // SIGTERM, so the broker keeps its sessions for the next start.
    void stop();
    int port() const { return m_port; }
    QString error() const { return m_error; }
    // The authority the broker's certificate (made out to 127.0.0.1) comes from,
    // and another that has nothing to do with it.
    QString caFile() const { return m_folder + QStringLiteral("/ca.crt"); }
    QString otherCaFile() const { return m_folder + QStringLiteral("/other-ca.crt"); }
    QString url(const QString& host = QStringLiteral("127.0.0.1")) const;

    static int freePort();

private:
    bool makeCertificates();
    bool run(const QString& program, const QStringList& arguments);
    QString configuration(const Options& options) const;
    bool writeExtensions(const QString& name, const QByteArray& names);
    bool makeServerCertificate(const QStringList& key, const QString& name,
                               const QString& commonName);

    QString m_folder;
    QProcess m_process;
    int m_port = 0;
    bool m_tls = false;
    QString m_error;
};
