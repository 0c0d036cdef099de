#pragma once

#include "fleet/fleetserver.h"
#include "tank/tanktable.h"

#include <QDialog>

class FleetLibraryFetch;
class QLabel;
class QTreeWidget;
class QDialogButtonBox;

// "From the fleet library": the tank tables the fleet's installers published,
// one row per tank model, fetched from the broker when the dialog opens.
class FleetLibraryDialog : public QDialog
{
    Q_OBJECT
public:
    FleetLibraryDialog(const FleetServer& server, QWidget* parent = nullptr);

    // The chosen model's table and name, once accepted.
    const TankTable& table() const { return m_table; }
    QString model() const { return m_model; }
    void accept() override;

private:
    void fetched();

    FleetLibraryFetch* m_fetch;
    QTreeWidget* m_list;
    QLabel* m_status;
    QDialogButtonBox* m_buttons;
    TankTable m_table;
    QString m_model;
};
