// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The find bar below the editor: searches the text in front as the writer types, steps through
// the matches with Enter and F3, and (opened for replacing) replaces one match or all of them.
// The searching itself is TextSearch's; the bar keeps the text it searches, the options and the
// last search terms.

#include "app/EditFigures.h"
#include "controls/TextSearch.h"

#include <QKeySequence>
#include <QPointer>
#include <QTextCursor>
#include <QWidget>

#include <optional>
#include <utility>
#include <vector>

class QBoxLayout;
class QCheckBox;
class QComboBox;
class ElidedLabel;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextDocument;
class QTimer;
class SettingsStore;
class TRichEditEx;

class FindBar : public QWidget
{
    Q_OBJECT

public:
    static constexpr int HistoryMax = 20;
    // The key of すべて置換, in the edit menu and in the bar.
    static QKeySequence ReplaceAllKey();

    explicit FindBar(QWidget* parent = nullptr);

    // The editor whose text is searched: the one in front.
    void SetEditor(TRichEditEx* editor);
    // The text in front has changed: the matches are found afresh.
    void TextChanged();

    // Shows the bar with the focus in the find field; a selection within one line becomes the
    // search text.
    void OpenFind();
    void OpenReplace();
    void Close();
    void FindNext();
    void FindPrevious();
    void ReplaceOne();
    void ReplaceAll();
    // すべて置換 of the edit menu: replaces every match while the bar is open for replacing, and
    // opens it so otherwise.
    void ReplaceAllItemClick();

    void ReadSettings(SettingsStore& file);
    void WriteSettings(SettingsStore& file) const;

signals:
    // Every match of `text` is about to be replaced in one edit, which changes `figures`: each
    // replacement's own characters, not the span from the first to the last.
    void ReplacingAll(const QTextDocument* text, EditFigures figures);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildRows();
    // Each row's parts; the rows with a field give back the field's label.
    QLabel* BuildFindRow(QBoxLayout& rows);
    QLabel* BuildReplaceRow(QBoxLayout& rows);
    void BuildOptionsRow(QBoxLayout& rows);
    void Open(bool replacing);
    SearchOptions Options() const;
    TextSearch Search() const;
    const SearchedText& Searched();
    // Every match of the search in the range, found once for as long as the text, the term, the
    // options and the range stay as they are: stepping to the next match costs no count.
    const std::vector<TextMatch>& AllMatches(const TextSearch& search);
    // The part of the text searched: the whole text, or the selection the bar was given.
    std::pair<qsizetype, qsizetype> Range();
    void TakeRange();
    void PatternEdited();
    void OptionChanged();
    void InSelectionChanged();
    void Find(bool forward, bool fromSelectionStart);
    void SelectMatch(const TextMatch& match);
    void ShowCount(const TextMatch& current, const QString& note);
    void ShowStatus(const QString& text, bool failed);
    void HighlightInView();
    void RememberTerm();
    // Whether undo (or redo) pressed in a field of the bar is the document's rather than the
    // field's own.
    bool UndoGoesToText(const QLineEdit* field, bool undo) const;

    QComboBox* FFindField = nullptr;
    QLineEdit* FReplaceField = nullptr;
    QCheckBox* FMatchCase = nullptr;
    QCheckBox* FRegularExpression = nullptr;
    QCheckBox* FIgnoreWidth = nullptr;
    QCheckBox* FInSelection = nullptr;
    ElidedLabel* FStatus = nullptr;
    QWidget* FReplaceRow = nullptr;
    QTimer* FRecount = nullptr; // the count after the text stops changing
    // A replacement was made after the fields were last edited: undo in a field takes back the
    // replacement first.
    bool FReplacedSinceFieldEdit = false;
    QPointer<TRichEditEx> FEditor;
    std::optional<SearchedText> FText; // the editor's text while it is unchanged
    QTextCursor FRange;                // the selection searched within, when there is one
    struct
    {
        QString term;
        SearchOptions options;
        std::pair<qsizetype, qsizetype> range;
        std::optional<std::vector<TextMatch>> matches;
    } FAll;
};
