#pragma once

#include <QApplication>
#include <QTimer>
#include <QtTest>

// Answers the next modal dialog of type Dialog as soon as the event loop runs it.
template <typename Dialog, typename Answer>
void answerNextModal(Answer answer)
{
    QTimer::singleShot(0, [answer] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        answer(dialog);
    });
}

// Answers the modal dialog of type Dialog that a dialog being answered now is
// about to lead to: waits for it to come up rather than for the next event.
template <typename Dialog, typename Answer>
void answerComingModal(Answer answer)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            poll->deleteLater();
            answer(dialog);
        }
    });
    poll->start(10);
}
