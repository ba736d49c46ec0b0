// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The submission manuscript's settings dialog: characters per line and lines per page, the page,
// the writing direction, the characters' size (with the size that fills the text area shown),
// the margins, the page numbers, and the title and the author's name.

#include <QDialog>

#include <memory>

struct SubmissionSettings;

namespace Ui {
class TSubmissionSettingForm;
}

class TSubmissionSettingForm : public QDialog
{
    Q_OBJECT

public:
    explicit TSubmissionSettingForm(QWidget* owner = nullptr);
    ~TSubmissionSettingForm() override;

    // Runs the dialog over `settings`; they change only when the writer presses OK.
    static bool Edit(QWidget* owner, SubmissionSettings& settings);

    void Fill(const SubmissionSettings& settings);
    void Apply(SubmissionSettings& settings) const;

private:
    void ShowRoom(); // the size that fills the text area under the fields as they stand

    std::unique_ptr<Ui::TSubmissionSettingForm> FUi;
};
