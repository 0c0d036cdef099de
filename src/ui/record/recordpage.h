#pragma once

#include <QCoreApplication>
#include <QImage>
#include <QString>

struct CommissioningRecord;

// The commissioning record on paper: an A4 page or two that an installer hands
// in, with a title, the record's facts in tables, the plot of the whole session
// and room to sign, in the window's language.
class RecordPage
{
    Q_DECLARE_TR_FUNCTIONS(RecordPage)
public:
    // Written completely or not at all; false with the reason.
    static bool write(const CommissioningRecord& record, const QImage& plot, const QString& path,
                      QString* error);

private:
    static QString html(const CommissioningRecord& record);
    static QString installationRows(const CommissioningRecord& record);
    static QString sensorRows(const CommissioningRecord& record);
    static QString calibrationRows(const CommissioningRecord& record);
    static QString tankTableRows(const CommissioningRecord& record);
    static QString statisticsRows(const CommissioningRecord& record);
    static QString label(const QString& name);
    static QString valueText(const QString& name, const QVariant& value);
};
