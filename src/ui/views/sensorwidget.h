#pragma once

#include "engine/sensorreading.h"
#include "plot/errorplotcurve.h"
#include "plot/reducedplotcurve.h"
#include "views/replywatch.h"

#include <QList>
#include <QPointer>
#include <QTimer>
#include <QVector>
#include <QWidget>
#include <cstdint>
#include <qwt_plot_grid.h>
#include <qwt_plot_textlabel.h>

class BaseSensor;
class FailureStatusLine;
class ReadingRecorder;
class ParameterWidget;
struct ShownValue;
struct PlotSettings;
class QAction;
class QGridLayout;
class QLabel;
class QLineEdit;
class QProgressBar;
class QTextStream;
class QwtPlot;
class TimeScaleDraw;

// The tab of one sensor: follows the sensor, shows its latest values and draws
// a time plot of its level and read errors. This part holds what does not
// depend on the sample record: the plot set-up and its actions, the throttled
// redraw, following the newest sample, the tooltip, the stored plot settings
// and the CSV export frame, whose rows its recorder keeps.
class SensorWidget : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool followPlotEnabled READ followPlotEnabled WRITE setFollowPlotEnabled)
public:
    SensorWidget(BaseSensor* sensor, QWidget* parent);
    ~SensorWidget() override;

    virtual int maximumPlotSize() const = 0;
    virtual void setMaximumPlotSize(int size) = 0;
    virtual QString plotToolTipText(double time);
    virtual void bindParameterWidget(ParameterWidget* widget, int id);
    virtual void clearPlot();
    virtual void updatePlotSettingsImpl(const PlotSettings& settings);
    virtual void savePlotDataImpl(QTextStream& stream);
    // The configuration as the view shows it, for the commissioning record.
    virtual QList<ShownValue> shownConfiguration() const;
    // How often the sensor should be heard from.
    virtual int replyIntervalMs() const;
    // After this long without a reply the sensor counts as silent, and its
    // next reading is not joined to the last one on the plot.
    int silenceMs() const;

    void updatePlotSettings();
    // Writes the CSV file whole or not at all; false with the message to show.
    // A saved file's folder is where the next save starts.
    bool savePlotData(const QString& fileName, QString* error);
    // The name the save dialog proposes: the model, the address and the time now.
    QString suggestedFileName() const;
    // The sensor model's name, for file names; the window knows it.
    void setModelName(const QString& name) { m_modelName = name; }
    QString plotToolTip(const QPoint& pos);
    QString timeToString(double time) const;
    void replot();

    BaseSensor* baseSensor() const { return m_sensor; }
    QwtPlot* plot() const { return m_plot; }
    QwtPlotCurve* levelCurve() { return &m_levelCurve; }
    ErrorPlotCurve* errorCurve() { return &m_errorCurve; }
    TimeScaleDraw* timeScaleDraw() const { return m_timeScaleDraw; }
    bool followPlotEnabled() const { return m_followPlotEnabled; }
    bool isCompactPlot() const { return m_compact; }
    const QList<QAction*>& sensorActions() const { return m_sensorActions; }
    // Before the commissioning record, which stays last.
    void addSensorAction(QAction* action)
    {
        m_sensorActions.insert(m_sensorActions.indexOf(m_recordAction), action);
    }
    QTimer* replotTimer() { return &m_replotTimer; }
    QTimer* statisticsTimer() { return &m_statisticsTimer; }
    QTimer* fieldsTimer() { return &m_fieldsTimer; }
    ReplyWatch* replyWatch() { return &m_replyWatch; }
    // The readings the plot export writes, kept as the sensor reported them.
    ReadingRecorder* recorder() const { return m_recorder; }

    bool eventFilter(QObject* watched, QEvent* event) override;

protected:
    void showEvent(QShowEvent* event) override;

signals:
    void addressChanged(uint8_t newAddress);
    // The plot's context menu asks for the plot settings dialog, which is the window's.
    void plotSettingsRequested();
    // The user asked for the sensor's commissioning record; the window knows
    // the port and the model it needs.
    void recordRequested();
    // The sensor fell silent (what to tell, with since when) or answers again (empty).
    void silenceChanged(const QString& text);

public slots:
    void setFollowPlotEnabled(bool enabled);
    void setCompactPlot(bool compact);
    void slotSavePlotData();
    virtual void updateFeatures() = 0;
    // One reading of the sensor's stream: its fields and its plot sample.
    virtual void showReading(const SensorReading& reading) = 0;
    void slotReplot();
    // The latest reading held for the fields, shown now.
    void slotShowFields();
    void slotClearPlot();
    // The line statistics of the sensor, as one status line under the plot.
    void slotShowLineStatistics();
    void slotResetLineStatistics();
    // The port's line is gone: said in the tab until it is back.
    void slotLineLost(const QString& message);
    void slotLineRestored();
    void slotCheckReplies();

protected:
    void initPlot(QwtPlot* plot);
    QwtPlotCurve* initLevelCurve(QwtSeriesData<QPointF>* series);
    QwtPlotCurve* initErrorCurve(QwtSeriesData<QPointF>* series);
    void applyLevelStyle(QProgressBar* bar);
    static void showLevel(QProgressBar* bar, float level);
    // The raw level as the sensor sent it; nothing without a reply.
    static QString rawLevelText(const SensorReading& reading);
    // The level in percent, to the hundredth; nothing while it is not known.
    static QString levelText(const SensorReading& reading);
    // A value field never narrower than the widest value it shows, so that a
    // small window squeezes the plot rather than cutting a reading.
    static void fitValueField(QLineEdit* field, const QString& widest);
    // The unit, as a label right after a value field in its row.
    static void addUnit(QLineEdit* field, const QString& unit);
    // The raw and percent fields of a view that shows a level alone, with the
    // litres row under them, and a reading shown in them and the bar.
    void initLevelFields(QGridLayout* form, QLineEdit* raw, QLineEdit* percent);
    static void showLevelTexts(const SensorReading& reading, QLineEdit* raw, QLineEdit* percent);
    // A value field's new text; the same text leaves the field alone.
    static void showText(QLineEdit* field, const QString& text);
    // The fields and the level bar follow the readings at the display's pace:
    // the first reading after a frame arms the frame, the latest one is shown
    // when it ends. A window not on screen shows each at once; a tab behind
    // another shows its latest when it comes to the front.
    void paceFields(const SensorReading& reading);
    // A reading's value fields; the level bar is the base's.
    virtual void showFields(const SensorReading& reading);
    // The line that tells of a lost line or a silent sensor, and the fields
    // greyed while the sensor is silent.
    void initReplyStatus(QLabel* line, const QList<QWidget*>& valueFields);
    void noteReading(qint64 time) { m_replyWatch.heard(time); }
    // The view's own actions; every view's menu ends with the commissioning record.
    void setSensorActions(const QList<QAction*>& actions);
    // The line under the plot that says what a command or a save did.
    void setStatusLine(FailureStatusLine* line) { m_statusLine = line; }

private:
    QwtPlotCurve* initCurve(QwtPlotCurve* curve, QwtSeriesData<QPointF>* series);
    void addPlotActions();
    void applyAxisStates();
    void setTimeAxisEndDistance(int distance);
    void fitTimeLabels();
    void showReplyStatus();
    // A sensor falling silent or answering again is one line of the status tab.
    void recordReplyChange(bool stale);
    QString noReplyText() const;
    // A tab behind another in a shown window: what it would draw nobody sees,
    // so the plot and its footer wait until the tab is shown.
    bool isHiddenTab() const;
    // What the plot's layout depends on: its size, the axes shown and the
    // ranges that set their label widths, the legend's size and whether there
    // is a footer. The time axis moving on and a new footer text leave it be.
    QVector<double> layoutKey() const;

    QTimer m_replotTimer;
    QTimer m_statisticsTimer;
    QTimer m_fieldsTimer;
    SensorReading m_fieldsReading;
    bool m_fieldsPending = false;
    QProgressBar* m_levelBar = nullptr;
    float m_barLevel = 0.0f;
    bool m_barPending = false;
    QPointer<BaseSensor> m_sensor;
    ReadingRecorder* m_recorder;
    ReplyWatch m_replyWatch;
    QLabel* m_replyStatus = nullptr;
    QList<QWidget*> m_valueFields;
    QString m_lineLost;
    QwtPlot* m_plot = nullptr;
    ReducedPlotCurve m_levelCurve;
    ErrorPlotCurve m_errorCurve;
    QwtPlotGrid m_grid;
    QwtPlotTextLabel m_followOffLabel;
    TimeScaleDraw* m_timeScaleDraw;
    QAction* m_followAction = nullptr;
    bool m_followPlotEnabled = true;
    bool m_compact = false;
    bool m_redrawWhenShown = false;
    QVector<double> m_laidOutKey;
    QList<bool> m_axisStates;
    QList<QAction*> m_sensorActions;
    FailureStatusLine* m_statusLine = nullptr;
    QString m_modelName;
    QAction* m_recordAction;
};
