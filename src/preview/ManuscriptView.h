// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sheet on screen: one sheet of manuscript paper on a grey desk, fitted to the widget.

#include <QPixmap>
#include <QWidget>

#include <cstdint>

class PagePainter;

class ManuscriptView : public QWidget
{
    Q_OBJECT

public:
    explicit ManuscriptView(QWidget* parent = nullptr);

    // What to draw; nothing while `sheets` is null. The painter must outlive its showing.
    void ShowSheet(const PagePainter* sheets, std::int32_t sheet);
    std::int32_t Sheet() const noexcept { return FSheet; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const PagePainter* FSheets = nullptr;
    std::int32_t FSheet = 0;
    QPixmap FBlank; // the blank sheet at the widget's size, drawn once for every page turn
};
