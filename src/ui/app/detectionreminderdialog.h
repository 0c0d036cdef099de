#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class DetectionReminderDialog;
}

// A small always-busy window that follows the automatic sensor search and, when
// nothing answered, reminds the user to check the connection.
class DetectionReminderDialog : public QDialog
{
    Q_OBJECT
public:
    explicit DetectionReminderDialog(QWidget* parent = nullptr);
    ~DetectionReminderDialog() override;

    void setVisible(bool visible) override;

public slots:
    void setProgressText(const QString& text);
    void slotOnSensorsNotDetected();

private slots:
    void on_pushButton_clicked();

private:
    std::unique_ptr<Ui::DetectionReminderDialog> ui;
};
