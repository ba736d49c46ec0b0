// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bar above the editor that says the file of the tab in front has changed on disk while the
// tab holds unsaved edits, and offers to read the file again (dropping the edits) or to ignore it.

#include <QWidget>

class ElidedLabel;

class ChangedOnDiskBar : public QWidget
{
    Q_OBJECT

public:
    explicit ChangedOnDiskBar(QWidget* parent = nullptr);

    // Shows the bar for the tab captioned `caption`.
    void ShowFor(const QString& caption);

signals:
    void ReloadClicked();
    void IgnoreClicked();

private:
    ElidedLabel* FMessage;
};
