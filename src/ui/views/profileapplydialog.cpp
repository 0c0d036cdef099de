#include "views/profileapplydialog.h"

#include "ui_profileapplydialog.h"

#include <QPushButton>

namespace {

enum Column { ParameterColumn, SensorColumn, ProfileColumn, ResultColumn };

} // namespace

ProfileApplyDialog::ProfileApplyDialog(const QString& file, const QList<Row>& rows, QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::ProfileApplyDialog)
{
    ui->setupUi(this);
    ui->summaryLabel->setText(
        tr("The sensor differs from the profile %1 in these parameters:").arg(file));
    QTableWidget* table = ui->differencesTable;
    table->setColumnCount(ProfileColumn + 1);
    table->setHorizontalHeaderLabels({tr("Parameter"), tr("Sensor"), tr("Profile")});
    table->setRowCount(rows.size());
    for (int row = 0; row < rows.size(); ++row) {
        table->setItem(row, ParameterColumn, new QTableWidgetItem(rows.at(row).parameter));
        table->setItem(row, SensorColumn, new QTableWidgetItem(rows.at(row).sensor));
        table->setItem(row, ProfileColumn, new QTableWidgetItem(rows.at(row).profile));
    }
    table->resizeColumnsToContents();
}

ProfileApplyDialog::~ProfileApplyDialog() = default;

void ProfileApplyDialog::on_buttonBox_clicked(QAbstractButton* button)
{
    if (ui->buttonBox->buttonRole(button) != QDialogButtonBox::ApplyRole) {
        reject();
        return;
    }
    m_writing = true;
    ui->buttonBox->setEnabled(false);
    ui->summaryLabel->setText(tr("Writing..."));
    emit applyRequested();
}

void ProfileApplyDialog::showResults(const QStringList& results, const QString& summary)
{
    m_writing = false;
    QTableWidget* table = ui->differencesTable;
    table->setColumnCount(ResultColumn + 1);
    table->setHorizontalHeaderItem(ResultColumn, new QTableWidgetItem(tr("Result")));
    for (int row = 0; row < results.size() && row < table->rowCount(); ++row)
        table->setItem(row, ResultColumn, new QTableWidgetItem(results.at(row)));
    table->resizeColumnsToContents();
    ui->summaryLabel->setText(summary);
    ui->buttonBox->setStandardButtons(QDialogButtonBox::Close);
    ui->buttonBox->setEnabled(true);
}

// The writes are on their way to the sensor; their outcome is still to be shown.
void ProfileApplyDialog::reject()
{
    if (!m_writing)
        QDialog::reject();
}
