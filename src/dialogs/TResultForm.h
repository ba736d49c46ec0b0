// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The result dialog: shows a report of any number of lines and copies it to the clipboard.

#include <QDialog>

#include <memory>
#include <string_view>

namespace Ui {
class TResultForm;
}

class TResultForm : public QDialog
{
    Q_OBJECT

public:
    explicit TResultForm(QWidget* owner = nullptr);
    ~TResultForm() override;

    // Shows the report (Shift-JIS, CR LF between lines) modally and returns when it is closed.
    static void ShowReport(QWidget* owner, std::string_view report);

    // Puts the report into the dialog; its lines are kept with LF breaks.
    void SetReport(std::string_view report);
    const QString& Report() const noexcept { return FReport; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void CopyButtonClick();

    std::unique_ptr<Ui::TResultForm> FUi;
    QString FReport;
};
