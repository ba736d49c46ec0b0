#pragma once
// Answering a modal dialog from a test: the answer runs inside the dialog's own event loop as soon
// as the dialog is the active modal window.

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

// Calls `answer` with the active modal window of type T once it is up. Polls the event loop
// instead of sleeping, and gives up after `attempts` turns so that a dialog that never appears
// fails the test rather than hangs it.
template <typename T> void AnswerModal(std::function<void(T*)> answer, int attempts = 500)
{
    QTimer* timer = new QTimer(qApp);
    timer->setInterval(1);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer, attempts]() mutable {
        T* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (dialog == nullptr && --attempts > 0)
            return;
        timer->stop();
        timer->deleteLater();
        if (dialog != nullptr)
            answer(dialog);
    });
    timer->start();
}

// The child of `dialog` with the design name `name`.
template <typename T> T* Control(QWidget* dialog, const char* name)
{
    return dialog->findChild<T*>(QString::fromLatin1(name));
}
