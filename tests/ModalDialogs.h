// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one way a test answers a modal dialog: the answer runs inside the dialog's own event loop as
// soon as a dialog of the asked type is the active modal window. Polls the event loop instead of
// sleeping, and gives up after a while, so that a dialog that never comes fails the test instead
// of hanging it.

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace ModalDialogs {

// How long a test waits for a dialog it expects; generous, since the machine may be busy.
inline constexpr int WaitMilliseconds = 10000;
inline constexpr int PollMilliseconds = 2;

// Calls `turn` with the active modal window of type T, or null, on every turn of the event loop
// until it returns false. The next turn is asked for only after `turn` returns, so an answer that
// opens a further dialog is never entered twice.
template <typename T> void Poll(std::function<bool(T*)> turn)
{
    QTimer::singleShot(PollMilliseconds, qApp, [turn = std::move(turn)]() mutable {
        if (turn(qobject_cast<T*>(QApplication::activeModalWidget())))
            Poll<T>(std::move(turn));
    });
}

} // namespace ModalDialogs

// Answers the next modal dialog of type T once it is up.
template <typename T> void AnswerModal(std::function<void(T*)> answer)
{
    const QDeadlineTimer deadline(ModalDialogs::WaitMilliseconds);
    ModalDialogs::Poll<T>([answer = std::move(answer), deadline](T* dialog) {
        if (dialog == nullptr)
            return !deadline.hasExpired();
        answer(dialog);
        return false;
    });
}

// Answers every modal dialog of type T that comes up while it lives.
template <typename T> class ModalCatcher
{
public:
    explicit ModalCatcher(std::function<void(T*)> answer)
        : FState(std::make_shared<State>(State{true, std::move(answer), 0}))
    {
        ModalDialogs::Poll<T>([state = FState](T* dialog) {
            if (state->active && dialog != nullptr) {
                ++state->count;
                state->answer(dialog);
            }
            return state->active;
        });
    }
    ~ModalCatcher() { FState->active = false; }
    ModalCatcher(const ModalCatcher&) = delete;
    ModalCatcher& operator=(const ModalCatcher&) = delete;

    // How many dialogs it has answered.
    int Count() const { return FState->count; }

private:
    struct State
    {
        bool active;
        std::function<void(T*)> answer;
        int count;
    };
    std::shared_ptr<State> FState;
};

// Clicks `button` in the next message box, after keeping its text in `text` when given.
inline void AnswerMessageBox(QMessageBox::StandardButton button, QString* text = nullptr)
{
    AnswerModal<QMessageBox>([button, text](QMessageBox* box) {
        if (text)
            *text = box->text();
        box->button(button)->click();
    });
}

// Chooses `path` in the next file dialog, after `prepare` has set the dialog's other fields.
inline void AnswerFileDialog(const QString& path,
                             std::function<void(QFileDialog*)> prepare = nullptr)
{
    AnswerModal<QFileDialog>([path, prepare](QFileDialog* dialog) {
        if (prepare)
            prepare(dialog);
        // The dialog leaves a name in its name field alone while the field has the focus.
        if (QWidget* focused = dialog->focusWidget())
            focused->clearFocus();
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept(); // runs the dialog's own checks
    });
}

// The child of `dialog` with the design name `name`.
template <typename T> T* Control(QWidget* dialog, const char* name)
{
    return dialog->findChild<T*>(QString::fromLatin1(name));
}
