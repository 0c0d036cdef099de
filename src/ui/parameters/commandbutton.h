#pragma once

#include "engine/commandcallback.h"

#include <QPalette>
#include <QPushButton>

class QTimer;
struct EngineCommand;

// A button for one-shot sensor commands: a click hands the button's callback to
// whoever issues the command; the button stays disabled while it runs, tries
// again up to requestCount attempts in all, and flashes the result for two
// seconds.
class CommandButton : public QPushButton
{
    Q_OBJECT
    Q_PROPERTY(int requestCount READ requestCount WRITE setRequestCount)
public:
    enum State { StateIdle, StateWaiting, StateOk, StateFailed };
    Q_ENUM(State)

    explicit CommandButton(QWidget* parent = nullptr);

    void setState(State state);
    State state() const { return m_state; }
    int requestCount() const { return m_requestCount; }
    void setRequestCount(int count) { m_requestCount = count; }
    // A click first asks question; the command goes only on "Yes".
    void setConfirmation(const QString& title, const QString& question);

    void callback(CommandCallback::Result result, const EngineCommand& command);

signals:
    void triggered(CommandCallback* cb);
    // The command's last result, once no attempt is left or one succeeded.
    void finished(CommandCallback::Result result);

private slots:
    void slotClicked();
    void slotOnStateTimerTimeout();

private:
    void run();

    MemFunCommandCallback<CommandButton> m_callback;
    QTimer* m_stateTimer;
    State m_state = StateIdle;
    int m_requestCount = 1;
    int m_attempts = 9999;
    QPalette m_savedPalette;
    QString m_confirmationTitle;
    QString m_confirmationQuestion;
};
