// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The manuscript-paper settings dialog: cells per line, lines per sheet, the two line-start sets
// and the treatment of tabs.

#include "MessageBoxes.h"

#include <QDialog>

#include <memory>

class TPaper;

namespace Ui {
class TPaperSettingForm;
}

class TPaperSettingForm : public QDialog
{
    Q_OBJECT

public:
    explicit TPaperSettingForm(QWidget* owner = nullptr);
    ~TPaperSettingForm() override;

    // Runs the dialog over `paper`: fills it, shows it modally and, when the writer presses OK,
    // applies it. Returns false when the writer cancelled (nothing changed then).
    static bool Edit(QWidget* owner, TPaper& paper, const MessageSink& showError);
    // The same with the application's error box over `owner`.
    static bool Edit(QWidget* owner, TPaper& paper);

    void Fill(const TPaper& paper);

    // Applies the fields one after another. A field that cannot be set is reported through
    // `showError` (one message per field) and keeps its old value; the others are still applied.
    void Apply(TPaper& paper, const MessageSink& showError) const;

private:
    std::uint8_t CheckedTab() const;

    std::unique_ptr<Ui::TPaperSettingForm> FUi;
};
