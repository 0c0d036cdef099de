#pragma once

#include "tank/tanktable.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QSpinBox;

// A tank table written in the form a tracking platform imports: the form, the
// separator and decimal sign of pairs, how many rows the platform takes, and
// the error in litres that thinning to them costs.
class TankExportDialog : public QDialog
{
    Q_OBJECT
public:
    TankExportDialog(const TankTable& table, QWidget* parent);

    // The text as it would be written now.
    QByteArray text() const { return m_text; }
    double largestError() const { return m_error; }
    bool saveTo(const QString& path, QString* error);

private:
    void refresh();
    void save();

    const TankTable m_table;
    QComboBox* m_form = nullptr;
    QComboBox* m_separator = nullptr;
    QComboBox* m_decimal = nullptr;
    QSpinBox* m_maxPoints = nullptr;
    QLabel* m_cost = nullptr;
    QPlainTextEdit* m_preview = nullptr;
    QByteArray m_text;
    double m_error = 0;
};
