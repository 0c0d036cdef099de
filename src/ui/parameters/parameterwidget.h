#pragma once

#include "engine/commandcallback.h"

#include <QPointer>
#include <QVariant>
#include <QWidget>
#include <functional>

class BaseSensor;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QTimer;
struct EngineCommand;

// Shows one writable parameter of a sensor: a read-only display with "Edit",
// which swaps in an editor with "Revert" and "Accept"; accepting asks the
// sensor to write the value and flashes the result for two seconds. A value
// that is not written is also told in words, with the reason.
class ParameterWidget : public QWidget
{
    Q_OBJECT
public:
    enum State { StateIdle, StateEditing, StateWaiting, StateOk, StateFailed };
    Q_ENUM(State)

    // Why a value may not be written, or an empty text when it may.
    using Check = std::function<QString(const QVariant& value)>;

    ParameterWidget(QWidget* editor, QWidget* parent);

    void bindSensorParameter(BaseSensor* sensor, int index);
    void setCheck(Check check) { m_check = std::move(check); }
    // Shows the sensor's value; a value it has not reported shows as a dash,
    // with unknownWhy as its tooltip.
    void updateFromSensor(const QString& unknownWhy = QString());
    bool showsUnknown() const;
    int parameterIndex() const { return m_index; }
    // The value as the display shows it.
    QString displayText() const;
    void setState(State state);
    State state() const { return m_state; }
    void setEditWidgetsVisible(bool visible);

    virtual void setEditVariantValue(const QVariant& value) = 0;
    virtual QVariant editVariantValue() const = 0;
    // Shows a value in both the editor and the display.
    virtual void setVariantValue(const QVariant& value);
    // The editor's value as the display shows it.
    virtual QString editText() const = 0;
    // Why the editor's value lies outside what the editor allows, or an empty text.
    virtual QString rangeRefusal() const { return QString(); }

    bool eventFilter(QObject* watched, QEvent* event) override;

    void editCommitCallback(CommandCallback::Result result, const EngineCommand& command);

signals:
    void prepareEditWidget();
    void commitData();
    // A value was refused or not written: what and why, for the user.
    void writeFailed(const QString& text);
    // The sensor took the value; what names the parameter and the value written.
    void written(const QString& what);

public slots:
    void slotAcceptClicked();

protected slots:
    void slotOnStateTimerTimeout();
    void slotRevertClicked();
    void slotEditClicked();

protected:
    QLineEdit* display() const { return m_display; }
    void showText(const QString& text);

private:
    void setDisplayColor(const QColor& color);
    void buildRows();

    QTimer* m_stateTimer;
    QWidget* m_editor;
    QLineEdit* m_display;
    QPushButton* m_editButton;
    QPushButton* m_revertButton;
    QPushButton* m_acceptButton;
    QStackedWidget* m_rows;
    State m_state = StateIdle;
    QPointer<BaseSensor> m_sensor;
    int m_index = 0;
    MemFunCommandCallback<ParameterWidget> m_commitCallback;
    Check m_check;
    // The parameter and value of the write in flight, as the user entered them.
    QString m_writing;
};

class IntSpinBoxParameterWidget : public ParameterWidget
{
    Q_OBJECT
public:
    explicit IntSpinBoxParameterWidget(QWidget* parent = nullptr);

    void setRange(int minimum, int maximum);
    QSpinBox* spinBox() { return m_spinBox; }
    const QSpinBox* spinBox() const { return m_spinBox; }

    void setEditVariantValue(const QVariant& value) override;
    QVariant editVariantValue() const override;
    QString editText() const override;
    QString rangeRefusal() const override;

private:
    IntSpinBoxParameterWidget(QSpinBox* spinBox, QWidget* parent);

    QSpinBox* m_spinBox;
};

class ComboBoxParameterWidget : public ParameterWidget
{
    Q_OBJECT
public:
    explicit ComboBoxParameterWidget(QWidget* parent = nullptr);

    void setItems(const QStringList& items);
    QComboBox* comboBox() { return m_comboBox; }
    const QComboBox* comboBox() const { return m_comboBox; }

    void setEditVariantValue(const QVariant& value) override;
    QVariant editVariantValue() const override;
    QString editText() const override;

private:
    ComboBoxParameterWidget(QComboBox* comboBox, QWidget* parent);

    QComboBox* m_comboBox;
};

// The PWM value is one signed number: its magnitude is the fill and a negative
// sign means the output is reversed.
class PwmParameterWidget : public ParameterWidget
{
    Q_OBJECT
public:
    class PwmEditWidget : public QWidget
    {
    public:
        explicit PwmEditWidget(QWidget* parent = nullptr);

        QCheckBox* reverseCheckBox;
        QSpinBox* spinBox;
    };

    explicit PwmParameterWidget(QWidget* parent = nullptr);

    PwmEditWidget* pwmEdit() const { return m_pwmEdit; }

    void setEditVariantValue(const QVariant& value) override;
    QVariant editVariantValue() const override;
    QString editText() const override;
    QString rangeRefusal() const override;

private:
    PwmParameterWidget(PwmEditWidget* pwmEdit, QWidget* parent);

    PwmEditWidget* m_pwmEdit;
};
