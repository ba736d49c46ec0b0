// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dialog in which the writer decides which characters make up English words.

#include "MessageBoxes.h"

#include <QDialog>

#include <memory>

class WordCharacterSet;

namespace Ui {
class TWordCharacterSettingForm;
}

class TWordCharacterSettingForm : public QDialog
{
    Q_OBJECT

public:
    explicit TWordCharacterSettingForm(QWidget* owner = nullptr);
    ~TWordCharacterSettingForm() override;

    // Runs the dialog over `set`: fills it, shows it modally and, when the writer presses OK,
    // applies it. Returns false when the writer cancelled (nothing changed then); on true the
    // caller renews what depends on the set.
    static bool Edit(QWidget* owner, WordCharacterSet& set, const MessageSink& showError,
                     const MessageSink& showRemoval);
    // The same with the program's boxes over `owner`: the error box, and the removal notice.
    static bool Edit(QWidget* owner, WordCharacterSet& set);

    void Fill(const WordCharacterSet& set);

    // Sets the digit switch and the list. Blanks, TABs and hyphens leave the list with the removal
    // notice through `showRemoval`; a list holding a character without a Shift-JIS form is refused
    // through `showError` and the old list kept.
    void Apply(WordCharacterSet& set, const MessageSink& showError,
               const MessageSink& showRemoval) const;

private:
    std::unique_ptr<Ui::TWordCharacterSettingForm> FUi;
};
