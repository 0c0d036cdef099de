#include "views/plotsettingsdialog.h"

#include "ui_plotsettingsdialog.h"

#include <QSettings>

namespace {

constexpr int DefaultStyle = 2;
constexpr int DefaultWidth = 2;

void selectStyle(QComboBox* combo, int style)
{
    if (style < -1 || style > 3)
        style = DefaultStyle;
    const int index = combo->findData(style);
    if (index >= 0)
        combo->setCurrentIndex(index);
}

} // namespace

// One row of the curve grid: its keys' prefix, its widgets (style and width
// may be absent) and its default colour.
struct PlotSettingsDialog::Curve
{
    QString key;
    QComboBox* style;
    ColorButton* color;
    QSpinBox* width;
    QColor defaultColor;
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
    return {{"Level", ui->levelStyleCombo, ui->levelColorButton, ui->levelWidthSpinBox, Qt::green},
            {"Error", nullptr, ui->errorColorButton, ui->errorWidthSpinBox, Qt::red},
            {"Frequency", ui->frequencyStyleCombo, ui->frequencyColorButton,
             ui->frequencyWidthSpinBox, Qt::blue},
            {"Temperature", ui->temperatureStyleCombo, ui->temperatureColorButton,
             ui->temperatureWidthSpinBox, Qt::red},
            {"Background", nullptr, ui->backgroundColorButton, nullptr,
             palette().color(QPalette::Window)}};
}

void PlotSettingsDialog::initFromSettings()
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("Plot"));
    ui->plotSamplesSpinBox->setValue(settings.value(QStringLiteral("MaximumSize"), 0).toInt());
    ui->timeFormatEdit->setEditText(
        settings.value(QStringLiteral("TimeFormat"), QStringLiteral("mm:ss")).toString());
    ui->levelFormatCombo->setCurrentIndex(
        settings.value(QStringLiteral("LevelFormat"), 0).toInt() != 0 ? 1 : 0);
    for (const Curve& curve : curves()) {
        if (curve.style)
            selectStyle(curve.style, settings.value(curve.key + "Style", DefaultStyle).toInt());
        curve.color->setColor(
            settings.value(curve.key + "Color", curve.defaultColor).value<QColor>());
        if (curve.width)
            curve.width->setValue(settings.value(curve.key + "Width", DefaultWidth).toInt());
    }
}

void PlotSettingsDialog::restoreDefaults()
{
    ui->plotSamplesSpinBox->setValue(0);
    ui->timeFormatEdit->setEditText(QStringLiteral("mm:ss"));
    ui->levelFormatCombo->setCurrentIndex(0);
    for (const Curve& curve : curves()) {
        if (curve.style)
            selectStyle(curve.style, DefaultStyle);
        curve.color->setColor(curve.defaultColor);
        if (curve.width)
            curve.width->setValue(DefaultWidth);
    }
}

void PlotSettingsDialog::writeSettings() const
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("Plot"));
    settings.setValue(QStringLiteral("MaximumSize"), ui->plotSamplesSpinBox->value());
    settings.setValue(QStringLiteral("TimeFormat"), ui->timeFormatEdit->currentText());
    settings.setValue(QStringLiteral("LevelFormat"), ui->levelFormatCombo->currentIndex());
    const QList<Curve> all = curves();
    for (const Curve& curve : all) {
        if (curve.style)
            settings.setValue(curve.key + "Style", curve.style->currentData().toInt());
    }
    for (const Curve& curve : all)
        settings.setValue(curve.key + "Color", curve.color->color());
    for (const Curve& curve : all) {
        if (curve.width)
            settings.setValue(curve.key + "Width", curve.width->value());
    }
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
