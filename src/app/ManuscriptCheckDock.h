// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The manuscript check beside the editor: the findings of the text in front, with the number of
// each rule's findings and a choice of one rule. The findings are kept per line and an edit
// re-checks only its lines; the list shows them once typing pauses, and the findings in view are
// underlined in the editor. Enter or a double click on a finding puts the caret on its character.

#include "analysis/CheckedLines.h"

#include <QDockWidget>
#include <QMetaObject>
#include <QPointer>

class CheckFindingsModel;
class QComboBox;
class QModelIndex;
class QTableView;
class QTimer;
class QToolButton;
class TRichEditEx;

class ManuscriptCheckDock : public QDockWidget
{
    Q_OBJECT

public:
    ManuscriptCheckDock(QWidget* parent, const CheckSwitches& switches,
                        const HeadingRules& headings);

    // The editor whose text is checked from now on (the one in front).
    void Follow(TRichEditEx* editor);
    // The list shows the findings now, without waiting for a pause.
    void ShowFindings();
    // Headings (which need no indent) are told from now on by these rules.
    void SetHeadingRules(const HeadingRules& rules);

signals:
    // The writer turned a rule on or off in the list's menu.
    void SwitchesChanged(const CheckSwitches& switches);

private:
    QToolButton* MakeRulesButton();
    void VisibilityChanged(bool visible);
    void Listen();
    void StopListening();
    void CheckAll();
    void LinesChanged(int position, int removed, int added);
    void RuleToggled(CheckRule rule, bool on);
    void FilterChosen(int index);
    void ShowCounts();
    void GoTo(const QModelIndex& index);
    void UnderlineInView();

    QPointer<TRichEditEx> FEditor;
    QMetaObject::Connection FListening;
    QMetaObject::Connection FScrolling;
    CheckedLines FLines;
    QTimer* FPause = nullptr;
    CheckFindingsModel* FModel = nullptr;
    QComboBox* FFilter = nullptr;
    QTableView* FList = nullptr;
};
