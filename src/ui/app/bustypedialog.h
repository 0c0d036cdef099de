#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class BusTypeDialog;
}

// Asks which sensor model is on the line, one button per row of the model table.
// The chosen row index is what the rest of the system stores as the sensor type.
class BusTypeDialog : public QDialog
{
    Q_OBJECT
public:
    explicit BusTypeDialog(QWidget* parent = nullptr);
    ~BusTypeDialog() override;

    // The chosen model index; -1 until a button was pressed.
    int chosenIndex() const { return m_chosenIndex; }

public slots:
    void slotOnButtonClicked(int index);

private:
    std::unique_ptr<Ui::BusTypeDialog> ui;
    int m_chosenIndex = -1;
};
