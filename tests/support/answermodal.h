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
