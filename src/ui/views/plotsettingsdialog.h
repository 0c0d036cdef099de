#pragma once

#include <QDialog>
#include <memory>

class QAbstractButton;
class QComboBox;
struct PlotSettings;

namespace Ui {
class PlotSettingsDialog;
}

// Edits the plot settings every sensor view reads from the group "Plot"; the
// store is written only on OK.
class PlotSettingsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit PlotSettingsDialog(QWidget* parent = nullptr);
    ~PlotSettingsDialog() override;

    static void initStyleCombo(QComboBox* combo);
    void initFromSettings();

private slots:
    void on_buttonBox_clicked(QAbstractButton* button);

protected:
    void changeEvent(QEvent* event) override;

private:
    struct Curve;

    QList<Curve> curves() const;
    QColor windowColor() const;
    void restoreDefaults();
    void showSettings(const PlotSettings& settings);
    void writeSettings() const;

    std::unique_ptr<Ui::PlotSettingsDialog> ui;
};
