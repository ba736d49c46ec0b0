// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The small dialog in which the writer sets the gutter's extra row spacing (twentieths of a pixel).
// Enter in the field confirms, Escape cancels.

#include <QDialog>

#include <memory>
#include <optional>

namespace Ui {
class TSetLineSpaceForm;
}

class TSetLineSpaceForm : public QDialog
{
    Q_OBJECT

public:
    explicit TSetLineSpaceForm(QWidget* parent = nullptr);
    ~TSetLineSpaceForm() override;

    // Puts the spacing into the field as a decimal number.
    void SetLineSpace(int value);
    // The field's text as an integer; empty when it is not one, so the old spacing stays.
    std::optional<int> LineSpace() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool LineSpaceEditKeyDown(int key);

    std::unique_ptr<Ui::TSetLineSpaceForm> ui;
};
