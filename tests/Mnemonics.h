// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether every part of a window the writer works with is at hand from the keyboard: each button
// and check box has a mnemonic, each field a label with one (or a check box before it in its form
// row), and no two share a letter. OK and キャンセル answer to Enter and Escape, and a button
// without a letter (×) is a mark to click, so they need none.

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSet>
#include <QStringList>

#include <algorithm>

namespace Mnemonics {

inline bool HasLetter(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
}

inline bool IsField(const QWidget* widget)
{
    const QWidget* parent = widget->parentWidget();
    if (const auto* line = qobject_cast<const QLineEdit*>(widget))
        return !line->isReadOnly() && !qobject_cast<const QComboBox*>(parent) &&
               !qobject_cast<const QAbstractSpinBox*>(parent);
    return qobject_cast<const QComboBox*>(widget) ||
           qobject_cast<const QAbstractSpinBox*>(widget) ||
           qobject_cast<const QPlainTextEdit*>(widget);
}

// The check box that stands as the field's label in a form row, if any.
inline const QAbstractButton* CheckBoxBefore(const QWidget* field)
{
    const QWidget* parent = field->parentWidget();
    if (parent == nullptr)
        return nullptr;
    for (const QFormLayout* form : parent->findChildren<QFormLayout*>()) {
        int row = -1;
        QFormLayout::ItemRole role{};
        form->getWidgetPosition(const_cast<QWidget*>(field), &row, &role);
        if (row < 0 || role != QFormLayout::FieldRole)
            continue;
        const QLayoutItem* label = form->itemAt(row, QFormLayout::LabelRole);
        return label ? qobject_cast<const QAbstractButton*>(label->widget()) : nullptr;
    }
    return nullptr;
}

} // namespace Mnemonics

// What is not at hand among the parts of `roots` that show (a menu bar among them lends its
// titles' letters, which the others must not take). Empty when all is well.
inline QStringList MnemonicFaults(const QList<const QWidget*>& roots)
{
    using namespace Mnemonics;
    QStringList faults;
    QMap<QKeySequence, QString> owners;
    const auto take = [&](const QString& text) {
        const QKeySequence key = QKeySequence::mnemonic(text);
        if (key.isEmpty())
            return false;
        if (owners.contains(key))
            faults << QStringLiteral("%1 and %2 share a mnemonic").arg(owners[key], text);
        owners[key] = text;
        return true;
    };
    QSet<const QWidget*> labelled;
    for (const QWidget* root : roots) {
        if (const auto* bar = qobject_cast<const QMenuBar*>(root)) {
            for (const QAction* action : bar->actions())
                take(action->text());
            continue;
        }
        QList<const QWidget*> parts = {root};
        for (const QWidget* child : root->findChildren<QWidget*>())
            parts << child;
        for (const QWidget* part : parts)
            if (const auto* label = qobject_cast<const QLabel*>(part);
                label && label->buddy() && label->isVisibleTo(root) && take(label->text()))
                labelled.insert(label->buddy());
        for (const QWidget* part : parts) {
            if (!part->isVisibleTo(root) && part != root)
                continue;
            if (const auto* button = qobject_cast<const QAbstractButton*>(part)) {
                const QString text = button->text();
                if (text == QStringLiteral("OK") || text == QStringLiteral(u"キャンセル") ||
                    !HasLetter(text))
                    continue;
                if (!take(text))
                    faults << QStringLiteral("no mnemonic: ") + text;
            } else if (IsField(part) && !labelled.contains(part)) {
                const QAbstractButton* check = CheckBoxBefore(part);
                if (check == nullptr || QKeySequence::mnemonic(check->text()).isEmpty())
                    faults << QStringLiteral("no label with a mnemonic: ") + part->objectName();
            }
        }
    }
    return faults;
}

// The same for the items of a menu: every item in `named` (all of them when empty) has a
// mnemonic, and no two items of the menu share one.
inline QStringList MenuMnemonicFaults(const QMenu& menu, const QStringList& named = {})
{
    QStringList faults;
    QMap<QKeySequence, const QAction*> owners;
    const auto asked = [&named](const QAction* action) {
        return named.isEmpty() || named.contains(action->objectName());
    };
    const auto textOf = [](const QAction* action) {
        return action->menu() ? action->menu()->title() : action->text();
    };
    for (const QAction* action : menu.actions()) {
        if (action->isSeparator() || !action->isVisible())
            continue;
        const QKeySequence key = QKeySequence::mnemonic(textOf(action));
        if (key.isEmpty()) {
            if (asked(action))
                faults << QStringLiteral("no mnemonic: ") + textOf(action);
            continue;
        }
        if (const QAction* owner = owners.value(key); owner && (asked(owner) || asked(action)))
            faults
                << QStringLiteral("%1 and %2 share a mnemonic").arg(textOf(owner), textOf(action));
        owners[key] = action;
    }
    return faults;
}
