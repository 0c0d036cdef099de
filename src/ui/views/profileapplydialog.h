#pragma once

#include <QDialog>
#include <QStringList>
#include <memory>

class QAbstractButton;

namespace Ui {
class ProfileApplyDialog;
}

// How a sensor differs from a profile, one row per parameter (its name, the
// sensor's value, the profile's), with Apply and Cancel; after Apply, the
// outcome of each write beside its row. It cannot be closed while writing.
class ProfileApplyDialog : public QDialog
{
    Q_OBJECT
public:
    struct Row
    {
        QString parameter;
        QString sensor;
        QString profile;
    };

    ProfileApplyDialog(const QString& file, const QList<Row>& rows, QWidget* parent = nullptr);
    ~ProfileApplyDialog() override;

    // One text per row, in the order of the rows; the dialog can then only be closed.
    void showResults(const QStringList& results, const QString& summary);
    void reject() override;

signals:
    void applyRequested();

private slots:
    void on_buttonBox_clicked(QAbstractButton* button);

private:
    std::unique_ptr<Ui::ProfileApplyDialog> ui;
    bool m_writing = false;
};
