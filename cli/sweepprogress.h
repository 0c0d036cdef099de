#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class SerialEngine;

// Where a sweep stands, on one line of stderr that is rewritten as it goes
// ("ModBus: address 17 of 247"), and wiped when the sweep is done: only for a
// person watching a terminal, never into a file or a pipe.
class SweepProgress : public QObject
{
    Q_OBJECT
public:
    SweepProgress(const SerialEngine* engine, const QString& label, QObject* parent = nullptr);
    ~SweepProgress() override;

    static bool isWanted();

private:
    void show();

    const SerialEngine* m_engine;
    QString m_label;
    QTimer m_timer;
    bool m_shown = false;
};
