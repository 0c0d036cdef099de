#include "views/plotsettingsdialog.h"

#include "plot/plotsettings.h"
#include "ui_plotsettingsdialog.h"

// One row of the curve grid: the settings it shows and its widgets (the error
// curve's style is not the user's to choose).
struct PlotSettingsDialog::Curve
{
    CurveSettings PlotSettings::*settings;
    QComboBox* style;
    ColorButton* color;
    QSpinBox* width;
};

PlotSettingsDialog::PlotSettingsDialog(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::PlotSettingsDialog)
{
    ui->setupUi(this);
    for (QComboBox* combo :
         {ui->levelStyleCombo, ui->frequencyStyleCombo, ui->temperatureStyleCombo})
        initStyleCombo(combo);
    initFromSettings();
}

PlotSettingsDialog::~PlotSettingsDialog() = default;

void PlotSettingsDialog::initStyleCombo(QComboBox* combo)
{
    const struct
    {
        const char* text;
        int style;
    } styles[] = {{QT_TRANSLATE_NOOP("PlotStyles", "No curve"), -1},
                  {QT_TRANSLATE_NOOP("PlotStyles", "Lines"), 0},
                  {QT_TRANSLATE_NOOP("PlotStyles", "Sticks"), 1},
                  {QT_TRANSLATE_NOOP("PlotStyles", "Steps"), 2},
                  {QT_TRANSLATE_NOOP("PlotStyles", "Dots"), 3}};
    for (const auto& style : styles)
        combo->addItem(QCoreApplication::translate("PlotStyles", style.text), style.style);
}

QList<PlotSettingsDialog::Curve> PlotSettingsDialog::curves() const
{
    return {
        {&PlotSettings::level, ui->levelStyleCombo, ui->levelColorButton, ui->levelWidthSpinBox},
        {&PlotSettings::error, nullptr, ui->errorColorButton, ui->errorWidthSpinBox},
        {&PlotSettings::frequency, ui->frequencyStyleCombo, ui->frequencyColorButton,
         ui->frequencyWidthSpinBox},
        {&PlotSettings::temperature, ui->temperatureStyleCombo, ui->temperatureColorButton,
         ui->temperatureWidthSpinBox}};
}

QColor PlotSettingsDialog::windowColor() const
{
    return palette().color(QPalette::Window);
}

void PlotSettingsDialog::initFromSettings()
{
    showSettings(PlotSettings::read(windowColor()));
}

void PlotSettingsDialog::restoreDefaults()
{
    showSettings(PlotSettings::defaults(windowColor()));
}

void PlotSettingsDialog::showSettings(const PlotSettings& settings)
{
    ui->plotSamplesSpinBox->setValue(settings.maximumSize);
    ui->timeFormatEdit->setEditText(settings.timeFormat);
    ui->levelFormatCombo->setCurrentIndex(settings.rawLevel ? 1 : 0);
    for (const Curve& curve : curves()) {
        const CurveSettings& shown = settings.*curve.settings;
        if (curve.style)
            curve.style->setCurrentIndex(curve.style->findData(shown.style));
        curve.color->setColor(shown.color);
        curve.width->setValue(shown.width);
    }
    ui->backgroundColorButton->setColor(settings.background);
}

void PlotSettingsDialog::writeSettings() const
{
    PlotSettings settings = PlotSettings::read(windowColor());
    settings.maximumSize = ui->plotSamplesSpinBox->value();
    settings.timeFormat = ui->timeFormatEdit->currentText();
    settings.rawLevel = ui->levelFormatCombo->currentIndex() == 1;
    for (const Curve& curve : curves()) {
        CurveSettings& edited = settings.*curve.settings;
        if (curve.style)
            edited.style = curve.style->currentData().toInt();
        edited.color = curve.color->color();
        edited.width = curve.width->value();
    }
    settings.background = ui->backgroundColorButton->color();
    settings.write();
}

void PlotSettingsDialog::on_buttonBox_clicked(QAbstractButton* button)
{
    switch (ui->buttonBox->buttonRole(button)) {
    case QDialogButtonBox::AcceptRole:
        writeSettings();
        accept();
        break;
    case QDialogButtonBox::RejectRole:
        reject();
        break;
    case QDialogButtonBox::ResetRole:
        if (ui->buttonBox->standardButton(button) == QDialogButtonBox::RestoreDefaults)
            restoreDefaults();
        else
            initFromSettings();
        break;
    default:
        break;
    }
}

void PlotSettingsDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QDialog::changeEvent(event);
}
