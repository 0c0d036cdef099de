#include "parameters/commandbutton.h"

#include "parameters/confirmation.h"

#include <QTimer>

CommandButton::CommandButton(QWidget* parent)
    : QPushButton(parent)
    , m_callback(this, &CommandButton::callback)
    , m_stateTimer(new QTimer(this))
    , m_savedPalette(palette())
{
    m_stateTimer->setSingleShot(true);
    m_stateTimer->setInterval(2000);
    connect(m_stateTimer, &QTimer::timeout, this, &CommandButton::slotOnStateTimerTimeout);
    connect(this, &QPushButton::clicked, this, &CommandButton::slotClicked);
}

void CommandButton::setState(State state)
{
    m_state = state;
    setEnabled(state == StateIdle);
    switch (state) {
    case StateIdle:
        setPalette(m_savedPalette);
        break;
    case StateWaiting:
        break;
    case StateOk:
    case StateFailed: {
        m_savedPalette = palette();
        QPalette flash = m_savedPalette;
        flash.setBrush(QPalette::All, QPalette::Button,
                       QBrush(state == StateOk ? Qt::green : Qt::red, Qt::SolidPattern));
        setPalette(flash);
        m_stateTimer->start();
        break;
    }
    }
}

void CommandButton::callback(CommandCallback::Result result, const EngineCommand&)
{
    if (result != CommandCallback::Ok && ++m_attempts < m_requestCount) {
        emit triggered(&m_callback);
        return;
    }
    setState(result == CommandCallback::Ok ? StateOk : StateFailed);
    emit finished(result);
}

void CommandButton::setConfirmation(const QString& title, const QString& question)
{
    m_confirmationTitle = title;
    m_confirmationQuestion = question;
}

void CommandButton::slotClicked()
{
    if (m_confirmationQuestion.isEmpty())
        run();
    else
        Confirmation::ask(this, m_confirmationTitle, m_confirmationQuestion, [this] { run(); });
}

void CommandButton::run()
{
    m_attempts = 0;
    // Waiting first: a receiver that fails at once completes the callback
    // inside the emit, and the result must not be overwritten.
    setState(StateWaiting);
    emit triggered(&m_callback);
}

void CommandButton::slotOnStateTimerTimeout()
{
    setState(StateIdle);
}
