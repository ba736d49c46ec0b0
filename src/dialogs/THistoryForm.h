// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The small dialog in which the writer sets how many recent files the File menu keeps, and can
// empty the list.

#include <QDialog>

#include <memory>

namespace Ui {
class THistoryForm;
}

class THistoryForm : public QDialog
{
    Q_OBJECT

public:
    explicit THistoryForm(QWidget* owner = nullptr);
    ~THistoryForm() override;

    void SetHistoryMax(int value);
    // The field's text as the writer left it.
    QString HistoryText() const;

signals:
    // "履歴の削除" was pressed; the list is emptied at once, whatever button ends the dialog.
    void ClearHistory();

private:
    void ClearButtonClick();

    std::unique_ptr<Ui::THistoryForm> ui;
};
