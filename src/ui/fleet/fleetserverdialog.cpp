#include "fleet/fleetserverdialog.h"

#include "fleet/fleetclient.h"
#include "fleet/fleetoutbox.h"
#include "ui_fleetserverdialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

namespace {

// A test that neither succeeds nor fails by then has failed.
const int kTestMs = 15000;

} // namespace

FleetServerDialog::FleetServerDialog(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::FleetServerDialog)
{
    ui->setupUi(this);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &FleetServerDialog::accept);
    connect(ui->caFileButton, &QPushButton::clicked, this, &FleetServerDialog::chooseCaFile);
    connect(ui->testButton, &QPushButton::clicked, this, &FleetServerDialog::testConnection);
    ui->clientNameEdit->setPlaceholderText(FleetServer().effectiveClientName());
    showServer(FleetServer::stored());
}

FleetServerDialog::~FleetServerDialog() = default;

void FleetServerDialog::showServer(const FleetServer& server)
{
    ui->urlEdit->setText(server.url);
    ui->prefixEdit->setText(server.prefix);
    ui->clientNameEdit->setText(server.clientName);
    ui->userEdit->setText(server.user);
    ui->passwordEdit->setText(server.password);
    ui->keepPasswordCheckBox->setChecked(server.keepPassword);
    ui->caFileEdit->setText(server.caFile);
    ui->versionComboBox->setCurrentIndex(server.mqttVersion == 311 ? 1 : 0);
    ui->liveReadingsCheckBox->setChecked(server.liveReadings);
}

FleetServer FleetServerDialog::server() const
{
    FleetServer server;
    server.url = ui->urlEdit->text().trimmed();
    server.prefix = ui->prefixEdit->text().trimmed();
    server.clientName = ui->clientNameEdit->text().trimmed();
    server.user = ui->userEdit->text().trimmed();
    server.password = ui->passwordEdit->text();
    server.keepPassword = ui->keepPasswordCheckBox->isChecked();
    server.caFile = ui->caFileEdit->text().trimmed();
    server.mqttVersion = ui->versionComboBox->currentIndex() == 1 ? 311 : 5;
    server.liveReadings = ui->liveReadingsCheckBox->isChecked();
    return server;
}

void FleetServerDialog::chooseCaFile()
{
    const QString path =
        QFileDialog::getOpenFileName(this, tr("CA file"), ui->caFileEdit->text(),
                                     tr("Certificates (*.crt *.pem);;All files (*)"));
    if (!path.isEmpty())
        ui->caFileEdit->setText(path);
}

// On a client of its own with an empty outbox: a test sends nothing.
void FleetServerDialog::testConnection()
{
    delete m_test;
    m_testOutbox = std::make_unique<FleetOutbox>(QTemporaryDir().path());
    m_test = new FleetClient(server(), m_testOutbox.get(), this);
    m_test->setRetrying(false);
    connect(m_test, &FleetClient::connected, this, [this] { tested(true, m_test->statusText()); });
    connect(m_test, &FleetClient::failed, this,
            [this](FleetClient::Problem, const QString& text) { tested(false, text); });
    ui->testButton->setEnabled(false);
    ui->testResultLabel->setText(tr("Connecting..."));
    QTimer::singleShot(kTestMs, m_test, [this] {
        tested(false, tr("no answer within %1 seconds").arg(kTestMs / 1000));
    });
    m_test->start();
}

void FleetServerDialog::tested(bool connected, const QString& text)
{
    if (!m_test)
        return;
    m_test->stop();
    m_test->deleteLater();
    m_test = nullptr;
    ui->testButton->setEnabled(true);
    ui->testResultLabel->setText(connected ? tr("Connected: the broker accepts this program.")
                                           : tr("Failed: %1").arg(text));
}

void FleetServerDialog::accept()
{
    QString error;
    if (!server().store(&error)) {
        QMessageBox::warning(this, tr("Fleet server"), error);
        return;
    }
    QDialog::accept();
}
