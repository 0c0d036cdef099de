#pragma once

#include "fleet/fleetserver.h"

#include <QDialog>
#include <memory>

class FleetClient;
class FleetOutbox;

namespace Ui {
class FleetServerDialog;
}

// Settings → Fleet server: where the fleet's broker is and who this program is
// on it, with a test of the connection before anything is stored.
class FleetServerDialog : public QDialog
{
    Q_OBJECT
public:
    explicit FleetServerDialog(QWidget* parent = nullptr);
    ~FleetServerDialog() override;

    FleetServer server() const;
    void accept() override;

private:
    void showServer(const FleetServer& server);
    void chooseCaFile();
    void testConnection();
    void tested(bool connected, const QString& text);

    std::unique_ptr<Ui::FleetServerDialog> ui;
    std::unique_ptr<FleetOutbox> m_testOutbox;
    FleetClient* m_test = nullptr;
};
