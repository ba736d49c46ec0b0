// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The processing window of a long measurement: stays up beside the main window while the
// measurement runs, and records a click on Cancel for the measurement to see between its steps.

#include <QDialog>

#include <memory>

namespace Ui {
class TCancelForm;
}

class TCancelForm : public QDialog
{
    Q_OBJECT

public:
    explicit TCancelForm(QWidget* owner = nullptr);
    ~TCancelForm() override;

    // Creates the window over `owner` and shows it without modality, in front.
    static std::unique_ptr<TCancelForm> ShowOver(QWidget* owner);

    // True once the writer has pressed Cancel. Closing the window by its frame does not cancel.
    bool Cancelled() const noexcept { return FCancelled; }

private:
    void CancelButtonClick();

    std::unique_ptr<Ui::TCancelForm> FUi;
    bool FCancelled = false;
};
