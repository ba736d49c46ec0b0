// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one-line input dialog: asks the writer for a text, such as the phrase to count.

#include "MessageBoxes.h"

#include <QDialog>

#include <memory>
#include <string>

namespace Ui {
class TInputForm;
}

class TInputForm : public QDialog
{
    Q_OBJECT

public:
    explicit TInputForm(QWidget* owner = nullptr);
    ~TInputForm() override;

    // Shows the dialog modally under `caption` and returns the typed text in Shift-JIS, or the
    // empty string when the writer cancels or closes the dialog.
    static std::string Ask(QWidget* owner, const QString& caption);

    // The typed text in Shift-JIS, set when the dialog closed with OK.
    const std::string& Answer() const noexcept { return FAnswer; }

    // Where the refusal of a text without a Shift-JIS form is shown (the error box by default).
    void SetErrorSink(MessageSink sink) { FShowError = std::move(sink); }

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool InputEditKeyPress(int key);

    std::unique_ptr<Ui::TInputForm> FUi;
    std::string FAnswer;
    MessageSink FShowError;
};
