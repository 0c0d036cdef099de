#include "app/detectionreminderdialog.h"

#include "ui_detectionreminderdialog.h"

DetectionReminderDialog::DetectionReminderDialog(QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::DetectionReminderDialog>())
{
    // No title bar buttons: the dialog is closed only through "Hide".
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint);
    ui->setupUi(this);
    ui->labelNotDetected->hide();
}

DetectionReminderDialog::~DetectionReminderDialog() = default;

void DetectionReminderDialog::setVisible(bool visible)
{
    // Each new showing starts without the reminder of an earlier search.
    if (visible && !isVisible())
        ui->labelNotDetected->hide();
    QDialog::setVisible(visible);
}

void DetectionReminderDialog::setProgressText(const QString& text)
{
    ui->progressBar->setText(text);
}

void DetectionReminderDialog::slotOnSensorsNotDetected()
{
    ui->labelNotDetected->show();
}

void DetectionReminderDialog::on_pushButton_clicked()
{
    close();
    deleteLater();
}
