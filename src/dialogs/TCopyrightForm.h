// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The About box: a small frameless window with the program's name, version and notice in lime
// over a dark green tint of whatever lay behind it on the screen, and an OK button along its
// bottom edge. Modeless; each one goes away when it is closed.

#include <QImage>
#include <QWidget>

#include <memory>

namespace Ui {
class TCopyrightForm;
}

class TCopyrightForm : public QWidget
{
    Q_OBJECT

public:
    explicit TCopyrightForm(QWidget* owner = nullptr);
    ~TCopyrightForm() override;

    // A new box owned by `owner`, shown without modality; it is destroyed when closed.
    static TCopyrightForm* ShowOver(QWidget* owner);

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormShow();
    void GrabBackground();
    void Button1Click();

    std::unique_ptr<Ui::TCopyrightForm> FUi;
    QImage FBackground; // the screen behind the box, tinted once
};
