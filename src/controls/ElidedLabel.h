// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A one-line message that takes the room its row gives it and asks for none: a text longer than
// the room ends in "…", and the whole text is its tooltip. A long message never widens the window
// it stands in.

#include <QLabel>

class ElidedLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    // Shows `text`; the tooltip holds it whole while it does not fit.
    void SetText(const QString& text);
    bool IsElided() const;

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowWholeTextAsTip();
};
