#include "testbroker.h"

#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QTcpServer>
#include <pwd.h>
#include <unistd.h>

namespace {

const int kStartMs = 10000;

} // namespace

TestBroker::TestBroker(const QString& folder)
    : m_folder(folder)
{
    m_process.setProcessChannelMode(QProcess::MergedChannels);
}

TestBroker::~TestBroker()
{
    stop();
}

int TestBroker::freePort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort();
}

QString TestBroker::url(const QString& host) const
{
    return QStringLiteral("%1://%2:%3").arg(m_tls ? "mqtts" : "mqtt", host).arg(m_port);
}

bool TestBroker::run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setWorkingDirectory(m_folder);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (process.waitForFinished(kStartMs) && process.exitStatus() == QProcess::NormalExit &&
        process.exitCode() == 0)
        return true;
    m_error = program + ' ' + arguments.join(' ') + ": " + process.readAll();
    return false;
}

bool TestBroker::makeCertificates()
{
    if (QFile::exists(caFile()))
        return true;
    const QStringList ecKey{"-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes"};
    // The tests name the broker by address: a fresh machine may resolve no
    // "localhost". The stranger's certificate is made out to another name.
    if (!writeExtensions("server.ext", "DNS:127.0.0.1,IP:127.0.0.1") ||
        !writeExtensions("stranger.ext", "DNS:elsewhere.example"))
        return false;
    return run("openssl", QStringList{"req", "-x509"} + ecKey +
                              QStringList{"-keyout", "ca.key", "-out", "ca.crt", "-subj",
                                          "/CN=Nivelon test CA", "-days", "2"}) &&
           run("openssl", QStringList{"req", "-x509"} + ecKey +
                              QStringList{"-keyout", "other-ca.key", "-out", "other-ca.crt",
                                          "-subj", "/CN=Another CA", "-days", "2"}) &&
           makeServerCertificate(ecKey, "server", "127.0.0.1") &&
           makeServerCertificate(ecKey, "stranger", "elsewhere.example");
}

bool TestBroker::writeExtensions(const QString& name, const QByteArray& names)
{
    QFile extensions(m_folder + "/" + name);
    if (!extensions.open(QIODevice::WriteOnly) ||
        extensions.write("subjectAltName=" + names + "\n") < 0)
        return false;
    extensions.close();
    return true;
}

bool TestBroker::makeServerCertificate(const QStringList& key, const QString& name,
                                       const QString& commonName)
{
    return run("openssl", QStringList{"req"} + key +
                              QStringList{"-keyout", name + ".key", "-out", name + ".csr",
                                          "-subj", "/CN=" + commonName}) &&
           run("openssl", {"x509", "-req", "-in", name + ".csr", "-CA", "ca.crt", "-CAkey",
                           "ca.key", "-CAcreateserial", "-out", name + ".crt", "-days", "2",
                           "-extfile", name + ".ext"});
}

QString TestBroker::configuration(const Options& options) const
{
    // Run by root, the broker would become the user "mosquitto", who cannot
    // read the test's private folder.
    const passwd* user = ::getpwuid(::getuid());
    QString text = QStringLiteral("user %1\n").arg(user ? user->pw_name : "root");
    text += QStringLiteral("listener %1 127.0.0.1\n"
                           "persistence true\n"
                           "persistence_location %2/\n"
                           "log_dest stderr\n")
                .arg(m_port)
                .arg(m_folder);
    if (options.tls)
        text += QStringLiteral("cafile %1/ca.crt\ncertfile %1/%2.crt\nkeyfile %1/%2.key\n")
                    .arg(m_folder, options.stranger ? "stranger" : "server");
    if (options.user.isEmpty())
        text += QStringLiteral("allow_anonymous true\n");
    else
        text += QStringLiteral("allow_anonymous false\npassword_file %1/passwords\n").arg(m_folder);
    return text;
}

bool TestBroker::start(const Options& options, int port)
{
    stop();
    m_port = port ? port : freePort();
    m_tls = options.tls;
    if ((options.tls && !makeCertificates()) ||
        (!options.user.isEmpty() && !run("mosquitto_passwd", {"-b", "-c", m_folder + "/passwords",
                                                              options.user, options.password})))
        return false;
    QFile file(m_folder + "/mosquitto.conf");
    if (!file.open(QIODevice::WriteOnly) || file.write(configuration(options).toUtf8()) < 0) {
        m_error = "cannot write " + file.fileName();
        return false;
    }
    file.close();
    m_process.start("mosquitto", {"-c", file.fileName()});
    QByteArray output;
    while (m_process.waitForReadyRead(kStartMs)) {
        output += m_process.readAll();
        if (output.contains(" running"))
            return true;
    }
    m_error = "mosquitto did not start: " + output + m_process.readAll();
    return false;
}

void TestBroker::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(kStartMs))
        m_process.kill();
    m_process.waitForFinished(kStartMs);
}
