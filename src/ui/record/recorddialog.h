#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class RecordDialog;
}

// Asks who and what a commissioning record is about: the vehicle and the
// installer, both needed, offered as they were last time.
class RecordDialog : public QDialog
{
    Q_OBJECT
public:
    explicit RecordDialog(QWidget* parent = nullptr);
    ~RecordDialog() override;

    QString vehicle() const;
    QString installer() const;
    void accept() override;

private:
    void updateOkButton();

    std::unique_ptr<Ui::RecordDialog> ui;
};
