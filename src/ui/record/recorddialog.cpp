#include "record/recorddialog.h"

#include "settings/settingskeys.h"
#include "ui_recorddialog.h"

#include <QPushButton>
#include <QSettings>

namespace {

constexpr int kFieldCharacters = 40;

} // namespace

RecordDialog::RecordDialog(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::RecordDialog)
{
    ui->setupUi(this);
    // Each label above its field, and the fields wide enough for a name or a
    // registration in any language.
    for (QLineEdit* edit : {ui->vehicleEdit, ui->installerEdit}) {
        edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * kFieldCharacters);
        connect(edit, &QLineEdit::textChanged, this, &RecordDialog::updateOkButton);
    }
    const QSettings settings;
    ui->vehicleEdit->setText(settings.value(SettingsKeys::RecordVehicle).toString());
    ui->installerEdit->setText(settings.value(SettingsKeys::RecordInstaller).toString());
    updateOkButton();
}

RecordDialog::~RecordDialog() = default;

QString RecordDialog::vehicle() const
{
    return ui->vehicleEdit->text().trimmed();
}

QString RecordDialog::installer() const
{
    return ui->installerEdit->text().trimmed();
}

void RecordDialog::accept()
{
    QSettings settings;
    settings.setValue(SettingsKeys::RecordVehicle, vehicle());
    settings.setValue(SettingsKeys::RecordInstaller, installer());
    QDialog::accept();
}

void RecordDialog::updateOkButton()
{
    ui->buttonBox->button(QDialogButtonBox::Ok)
        ->setEnabled(!vehicle().isEmpty() && !installer().isEmpty());
}
