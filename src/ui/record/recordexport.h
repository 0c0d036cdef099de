#pragma once

#include <QCoreApplication>
#include <QImage>
#include <QString>

struct CommissioningRecord;
struct RecordContext;
class QWidget;
class SensorWidget;

// The commissioning record of one sensor tab, from the Actions menu to the two
// files: asks for the vehicle and the installer, then for the file, and writes
// FILE.pdf and FILE.json from one record taken at that moment.
class RecordExport
{
    Q_DECLARE_TR_FUNCTIONS(RecordExport)
public:
    // The context brings the port and the model; the rest is asked here.
    static void run(SensorWidget* view, RecordContext context);
    // model_address_vehicle_date.pdf, the vehicle made a safe file name.
    static QString suggestedName(const CommissioningRecord& record);

private:
    // The chosen file without its suffix; empty when the user gave up.
    static QString chooseFile(QWidget* parent, const CommissioningRecord& record);
    static QImage plotImage(SensorWidget& view);
};
