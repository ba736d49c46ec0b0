// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FindBar.h"

#include "analysis/SettingsStore.h"
#include "controls/ElidedLabel.h"
#include "controls/TRichEditEx.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBlock>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <string>

namespace {

constexpr const char* FindSection = "Find";

// Where a match goes once the matches before it have been replaced.
qsizetype AfterReplacing(qsizetype position, const std::vector<TextMatch>& matches,
                         const QStringList& replacements)
{
    qsizetype shift = 0;
    for (std::size_t i = 0; i < matches.size() && matches[i].start < position; ++i) {
        if (position < matches[i].End())
            return matches[i].start + shift; // inside a replaced match: its start
        shift += replacements[static_cast<qsizetype>(i)].size() - matches[i].length;
    }
    return position + shift;
}

} // namespace

FindBar::FindBar(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FindBar"));
    BuildRows();
    FRecount = new QTimer(this);
    FRecount->setSingleShot(true);
    FRecount->setInterval(300);
    connect(FRecount, &QTimer::timeout, this, [this] {
        if (isVisible() && FEditor)
            ShowCount(TextMatch{}, {});
    });
    hide();
}

// Three rows: the term with its steps and the bar's message, which takes what room the row has
// left and never widens the window; the replacement (while replacing); the options. The
// mnemonics of the bar's parts work in the whole window while the bar shows, so none of them is a
// letter of the menu bar's (F, E, A, R, S, H).
void FindBar::BuildRows()
{
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(0, 2, 0, 0);
    rows->setSpacing(2);
    QLabel* findLabel = BuildFindRow(*rows);
    QLabel* replaceLabel = BuildReplaceRow(*rows);
    BuildOptionsRow(*rows);
    // The two labels take one width, so that the fields start one above the other.
    const int labelWidth =
        std::max(findLabel->sizeHint().width(), replaceLabel->sizeHint().width());
    findLabel->setFixedWidth(labelWidth);
    replaceLabel->setFixedWidth(labelWidth);
    // Tab goes from the find field straight to the replace field.
    setTabOrder(FFindField, FReplaceField);
    // The writer's own edit of a field is what undo in it takes back first.
    for (QLineEdit* field : {FFindField->lineEdit(), FReplaceField})
        connect(field, &QLineEdit::textEdited, this, [this] { FReplacedSinceFieldEdit = false; });
}

QLabel* FindBar::BuildFindRow(QBoxLayout& rows)
{
    FFindField = new QComboBox(this);
    FFindField->setObjectName(QStringLiteral("FindField"));
    FFindField->setEditable(true);
    FFindField->setInsertPolicy(QComboBox::NoInsert);
    // The last terms are offered in the list, never completed into the term being typed: the
    // search follows exactly what the writer types.
    FFindField->setCompleter(nullptr);
    FFindField->setMinimumContentsLength(12);
    FFindField->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    FFindField->lineEdit()->setPlaceholderText(QStringLiteral(u"検索"));
    // The field's keys reach the combo box first, which hands them to its line without filters.
    FFindField->installEventFilter(this);
    FFindField->lineEdit()->installEventFilter(this);
    connect(FFindField, &QComboBox::editTextChanged, this, &FindBar::PatternEdited);
    auto* label = new QLabel(QStringLiteral(u"検索(&K)"), this);
    label->setBuddy(FFindField);
    auto* previous = new QPushButton(QStringLiteral(u"前へ(&B)"), this);
    previous->setObjectName(QStringLiteral("FindPreviousButton"));
    auto* next = new QPushButton(QStringLiteral(u"次へ(&N)"), this);
    next->setObjectName(QStringLiteral("FindNextButton"));
    connect(previous, &QPushButton::clicked, this, &FindBar::FindPrevious);
    connect(next, &QPushButton::clicked, this, &FindBar::FindNext);
    auto* close = new QPushButton(QStringLiteral(u"×"), this);
    close->setObjectName(QStringLiteral("FindCloseButton"));
    close->setToolTip(QStringLiteral(u"閉じる (Esc)"));
    close->setFlat(true);
    connect(close, &QPushButton::clicked, this, &FindBar::Close);
    // Escape closes the bar wherever in it the focus is, on a check box or a button as well.
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &FindBar::Close,
                  Qt::WidgetWithChildrenShortcut);
    auto* row = new QHBoxLayout;
    // A long message (an expression's error) ends in "…" rather than widen the window.
    FStatus = new ElidedLabel(this);
    FStatus->setObjectName(QStringLiteral("FindStatus"));
    row->addWidget(label);
    row->addWidget(FFindField, 2);
    row->addWidget(previous);
    row->addWidget(next);
    row->addSpacing(4);
    row->addWidget(FStatus, 1);
    row->addWidget(close);
    rows.addLayout(row);
    return label;
}

QLabel* FindBar::BuildReplaceRow(QBoxLayout& rows)
{
    FReplaceRow = new QWidget(this);
    FReplaceField = new QLineEdit(FReplaceRow);
    FReplaceField->setObjectName(QStringLiteral("ReplaceField"));
    FReplaceField->setPlaceholderText(QStringLiteral(u"置換後の文字列"));
    FReplaceField->installEventFilter(this);
    auto* label = new QLabel(QStringLiteral(u"置換後(&T)"), FReplaceRow);
    label->setBuddy(FReplaceField);
    auto* replace = new QPushButton(QStringLiteral(u"置換(&P)"), FReplaceRow);
    replace->setObjectName(QStringLiteral("ReplaceButton"));
    auto* replaceAll = new QPushButton(QStringLiteral(u"すべて置換(&L)"), FReplaceRow);
    replaceAll->setObjectName(QStringLiteral("ReplaceAllButton"));
    replaceAll->setToolTip(
        QStringLiteral(u"すべて置換 (%1)").arg(ReplaceAllKey().toString(QKeySequence::NativeText)));
    connect(replace, &QPushButton::clicked, this, &FindBar::ReplaceOne);
    connect(replaceAll, &QPushButton::clicked, this, &FindBar::ReplaceAll);
    auto* row = new QHBoxLayout(FReplaceRow);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(label);
    row->addWidget(FReplaceField, 1);
    row->addWidget(replace);
    row->addWidget(replaceAll);
    rows.addWidget(FReplaceRow);
    return label;
}

void FindBar::BuildOptionsRow(QBoxLayout& rows)
{
    auto* row = new QHBoxLayout;
    const auto box = [this, row](const char* name, const QString& text,
                                 void (FindBar::*changed)() = &FindBar::OptionChanged) {
        auto* check = new QCheckBox(text, this);
        check->setObjectName(QString::fromLatin1(name));
        connect(check, &QCheckBox::toggled, this, changed);
        row->addWidget(check);
        return check;
    };
    FMatchCase = box("MatchCaseBox", QStringLiteral(u"大文字と小文字を区別(&C)"));
    FRegularExpression = box("RegularExpressionBox", QStringLiteral(u"正規表現(&X)"));
    FIgnoreWidth = box("IgnoreWidthBox", QStringLiteral(u"全角と半角を区別しない(&W)"));
    FInSelection =
        box("InSelectionBox", QStringLiteral(u"選択範囲内(&I)"), &FindBar::InSelectionChanged);
    row->addStretch(1);
    rows.addLayout(row);
}

QKeySequence FindBar::ReplaceAllKey()
{
    return QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Return);
}

void FindBar::SetEditor(TRichEditEx* editor)
{
    if (FEditor == editor)
        return;
    if (FEditor) {
        FEditor->SetMarks(TRichEditEx::MarkLayer::Find, {});
        disconnect(FEditor, nullptr, this, nullptr);
    }
    FEditor = editor;
    FText.reset();
    FRange = QTextCursor();
    if (FEditor)
        connect(FEditor, &TRichEditEx::VScroll, this, &FindBar::HighlightInView);
    if (isVisible()) {
        HighlightInView();
        FRecount->start();
    }
}

void FindBar::TextChanged()
{
    FText.reset();
    if (isVisible()) {
        HighlightInView();
        FRecount->start();
    }
}

void FindBar::OpenFind()
{
    Open(false);
}

void FindBar::OpenReplace()
{
    Open(true);
}

void FindBar::Open(bool replacing)
{
    if (!FEditor)
        return;
    const QTextCursor selection = FEditor->textCursor();
    const QString selected = selection.selectedText();
    if (selection.hasSelection() && !selected.contains(QChar::ParagraphSeparator)) {
        const QSignalBlocker blocker(FFindField);
        FFindField->setEditText(selected);
    } else if (selection.hasSelection()) {
        FRange = selection; // a selection of lines is what 選択範囲内 searches
    }
    FReplaceRow->setVisible(replacing);
    show();
    FFindField->setFocus();
    FFindField->lineEdit()->selectAll();
    ShowCount(TextMatch{}, {});
    HighlightInView();
}

void FindBar::Close()
{
    RememberTerm();
    hide();
    FStatus->SetText({});
    if (FEditor) {
        FEditor->SetMarks(TRichEditEx::MarkLayer::Find, {});
        FEditor->setFocus();
    }
}

SearchOptions FindBar::Options() const
{
    return {FMatchCase->isChecked(), FRegularExpression->isChecked(), FIgnoreWidth->isChecked(),
            FInSelection->isChecked()};
}

TextSearch FindBar::Search() const
{
    return TextSearch(FFindField->currentText(), Options());
}

const SearchedText& FindBar::Searched()
{
    if (!FText) {
        FText.emplace(FEditor->document()->toPlainText());
        FAll.matches.reset();
    }
    return *FText;
}

const std::vector<TextMatch>& FindBar::AllMatches(const TextSearch& search)
{
    const SearchedText& text = Searched();
    const auto range = Range();
    const SearchOptions options = Options();
    const QString term = FFindField->currentText();
    if (!FAll.matches || FAll.term != term || FAll.range != range ||
        FAll.options.matchCase != options.matchCase ||
        FAll.options.regularExpression != options.regularExpression ||
        FAll.options.ignoreWidth != options.ignoreWidth) {
        FAll.matches = search.FindAll(text, range.first, range.second);
        FAll.term = term;
        FAll.range = range;
        FAll.options = options;
    }
    return *FAll.matches;
}

std::pair<qsizetype, qsizetype> FindBar::Range()
{
    if (FInSelection->isChecked() && !FRange.isNull() && FRange.hasSelection())
        return {FRange.selectionStart(), FRange.selectionEnd()};
    return {0, Searched().Text().size()};
}

// The selection at the moment 選択範囲内 is ticked is the range; it moves with the edits.
void FindBar::TakeRange()
{
    if (FEditor && FInSelection->isChecked() && FEditor->textCursor().hasSelection())
        FRange = FEditor->textCursor();
}

void FindBar::PatternEdited()
{
    if (isVisible())
        Find(true, true);
}

// The selection at the moment 選択範囲内 is ticked is the range searched.
void FindBar::InSelectionChanged()
{
    TakeRange();
    OptionChanged();
}

void FindBar::OptionChanged()
{
    if (isVisible() && !FFindField->currentText().isEmpty())
        Find(true, true);
}

void FindBar::FindNext()
{
    if (!isVisible())
        Open(false);
    RememberTerm();
    Find(true, false);
}

void FindBar::FindPrevious()
{
    if (!isVisible())
        Open(false);
    RememberTerm();
    Find(false, false);
}

// From the caret on (typing a term keeps the match where it started), or past the match shown;
// at the end of the range the search goes on from its start and says so.
void FindBar::Find(bool forward, bool fromSelectionStart)
{
    if (!FEditor)
        return;
    const TextSearch search = Search();
    if (search.IsEmpty() || !search.IsValid()) {
        ShowCount({}, {});
        HighlightInView();
        return;
    }
    const SearchedText& text = Searched();
    const auto [begin, end] = Range();
    const QTextCursor caret = FEditor->textCursor();
    const bool rangeShown = caret.selectionStart() == begin && caret.selectionEnd() == end;
    TextMatch match;
    bool wrapped = false;
    if (forward) {
        const qsizetype from = rangeShown           ? begin
                               : fromSelectionStart ? caret.selectionStart()
                                                    : caret.selectionEnd();
        match = search.FindNext(text, from, begin, end);
        if (!match.Found() && from > begin) {
            match = search.FindNext(text, begin, begin, end);
            wrapped = match.Found();
        }
    } else {
        const qsizetype before = rangeShown ? end : caret.selectionStart();
        match = search.FindPrevious(text, before, begin, end);
        if (!match.Found() && before < end) {
            match = search.FindPrevious(text, end, begin, end);
            wrapped = match.Found();
        }
    }
    if (match.Found())
        SelectMatch(match);
    ShowCount(match, !wrapped ? QString()
                     : forward ? QStringLiteral(u"末尾に達したので先頭から検索しました")
                               : QStringLiteral(u"先頭に達したので末尾から検索しました"));
    HighlightInView();
}

// The match is selected with the caret at its end and its line in view.
void FindBar::SelectMatch(const TextMatch& match)
{
    QTextCursor cursor = FEditor->textCursor();
    cursor.setPosition(static_cast<int>(match.start));
    cursor.setPosition(static_cast<int>(match.End()), QTextCursor::KeepAnchor);
    FEditor->setTextCursor(cursor);
    FEditor->ensureCursorVisible();
}

// "N 件中 M 件目" for the match shown, the number of matches alone without one, and the note.
void FindBar::ShowCount(const TextMatch& current, const QString& note)
{
    if (!FEditor)
        return;
    const TextSearch search = Search();
    if (search.IsEmpty()) {
        ShowStatus({}, false);
        return;
    }
    if (!search.IsValid()) {
        ShowStatus(QStringLiteral(u"正規表現が正しくありません: ") + search.ErrorText(), true);
        return;
    }
    const auto [begin, end] = Range();
    TextMatch shown = current;
    if (!shown.Found()) {
        // The selection, when it is a match, is the one shown.
        const QTextCursor caret = FEditor->textCursor();
        const TextMatch atCaret = search.FindNext(Searched(), caret.selectionStart(), begin, end);
        if (caret.hasSelection() && atCaret.start == caret.selectionStart() &&
            atCaret.End() == caret.selectionEnd())
            shown = atCaret;
    }
    const std::vector<TextMatch>& all = AllMatches(search);
    const auto count = static_cast<qsizetype>(all.size());
    const auto before =
        std::lower_bound(all.begin(), all.end(), shown.start,
                         [](const TextMatch& match, qsizetype at) { return match.start < at; }) -
        all.begin();
    if (count == 0) {
        ShowStatus(QStringLiteral(u"見つかりません"), true);
        return;
    }
    QString text = shown.Found() ? QStringLiteral(u"%1 件中 %2 件目").arg(count).arg(before + 1)
                                 : QStringLiteral(u"%1 件").arg(count);
    if (!note.isEmpty())
        text += QStringLiteral(u"（") + note + QStringLiteral(u"）");
    ShowStatus(text, false);
}

// A failure shows in the field's colour as well as in words.
void FindBar::ShowStatus(const QString& text, bool failed)
{
    FStatus->SetText(text);
    FFindField->lineEdit()->setStyleSheet(
        failed ? QStringLiteral("QLineEdit { background: #ffd0d0; color: black; }") : QString());
}

// Only the lines in view are searched for the marks, so a long text costs no more than a short.
void FindBar::HighlightInView()
{
    if (!FEditor || !isVisible())
        return; // a closed bar has taken its marks away and follows no scrolling
    QList<QTextEdit::ExtraSelection> marks;
    const TextSearch search = Search();
    if (isVisible() && !search.IsEmpty() && search.IsValid()) {
        const int height = FEditor->viewport()->height();
        QTextBlock block = FEditor->FirstVisibleBlock();
        const qsizetype viewStart = block.isValid() ? block.position() : 0;
        QString shown;
        for (; block.isValid() && FEditor->BlockTop(block) < height; block = block.next()) {
            shown += block.text();
            shown += QChar(u'\n');
        }
        const SearchedText piece(shown);
        const auto [begin, end] = Range();
        QTextCharFormat format;
        format.setBackground(QColor(0xff, 0xe0, 0x60));
        format.setForeground(Qt::black);
        const qsizetype last = FEditor->document()->characterCount() - 1;
        for (const TextMatch& match :
             search.FindAll(piece, std::max<qsizetype>(0, begin - viewStart),
                            std::clamp<qsizetype>(end, viewStart, last) - viewStart)) {
            QTextEdit::ExtraSelection mark;
            mark.cursor = QTextCursor(FEditor->document());
            mark.cursor.setPosition(static_cast<int>(viewStart + match.start));
            mark.cursor.setPosition(static_cast<int>(viewStart + match.End()),
                                    QTextCursor::KeepAnchor);
            mark.format = format;
            marks << mark;
        }
    }
    FEditor->SetMarks(TRichEditEx::MarkLayer::Find, marks);
}

void FindBar::ReplaceOne()
{
    if (!FEditor)
        return;
    RememberTerm();
    const TextSearch search = Search();
    if (search.IsEmpty() || !search.IsValid())
        return;
    const auto [begin, end] = Range();
    QTextCursor caret = FEditor->textCursor();
    const TextMatch match = search.FindNext(Searched(), caret.selectionStart(), begin, end);
    if (caret.hasSelection() && match.start == caret.selectionStart() &&
        match.End() == caret.selectionEnd()) {
        const QString replacement = search.Replacement(Searched(), match, FReplaceField->text());
        caret.insertText(replacement);
        FEditor->setTextCursor(caret);
        FText.reset();
        FReplacedSinceFieldEdit = true;
    }
    Find(true, false);
}

// One edit block, from the last match to the first so that the places found stay right: one
// undo takes it all back, and the figures follow it as they follow any edit.
void FindBar::ReplaceAll()
{
    if (!FEditor)
        return;
    RememberTerm();
    const TextSearch search = Search();
    if (search.IsEmpty() || !search.IsValid()) {
        ShowCount({}, {});
        return;
    }
    const SearchedText& text = Searched();
    const std::vector<TextMatch> matches = AllMatches(search);
    if (matches.empty()) {
        ShowStatus(QStringLiteral(u"見つかりません"), true);
        return;
    }
    QStringList replacements;
    replacements.reserve(static_cast<qsizetype>(matches.size()));
    EditFigures figures;
    for (const TextMatch& match : matches) {
        replacements << search.Replacement(text, match, FReplaceField->text());
        figures += ReplacementFigures(QStringView(text.Text()).sliced(match.start, match.length),
                                      replacements.constLast());
    }
    const qsizetype caretAt =
        AfterReplacing(FEditor->textCursor().position(), matches, replacements);
    const int undoCount = FEditor->document()->availableUndoSteps();
    emit ReplacingAll(FEditor->document(), figures);
    QTextCursor edit(FEditor->document());
    edit.beginEditBlock();
    for (std::size_t i = matches.size(); i-- > 0;) {
        edit.setPosition(static_cast<int>(matches[i].start));
        edit.setPosition(static_cast<int>(matches[i].End()), QTextCursor::KeepAnchor);
        edit.insertText(replacements[static_cast<qsizetype>(i)]);
    }
    edit.endEditBlock();
    FEditor->KeepPlaceOnUndoOfStepSince(undoCount);
    FReplacedSinceFieldEdit = true;
    FText.reset();
    QTextCursor caret = FEditor->textCursor();
    caret.setPosition(static_cast<int>(caretAt));
    FEditor->setTextCursor(caret);
    FRecount->stop(); // the number replaced stays in the bar
    ShowStatus(QStringLiteral(u"%1 件を置換しました").arg(matches.size()), false);
    HighlightInView();
}

void FindBar::ReplaceAllItemClick()
{
    if (isVisible() && FReplaceRow->isVisible())
        ReplaceAll();
    else
        OpenReplace();
}

// The document's step when a replacement came after the writer last edited the fields, or when
// the field has nothing of its own to take back; the field's own edit otherwise.
bool FindBar::UndoGoesToText(const QLineEdit* field, bool undo) const
{
    if (!FEditor)
        return false;
    const QTextDocument* text = FEditor->document();
    if (!(undo ? text->isUndoAvailable() : text->isRedoAvailable()))
        return false;
    return FReplacedSinceFieldEdit || !(undo ? field->isUndoAvailable() : field->isRedoAvailable());
}

// The term searched for goes to the top of the field's list; the list keeps the last twenty.
void FindBar::RememberTerm()
{
    const QString term = FFindField->currentText();
    if (term.isEmpty())
        return;
    const QSignalBlocker blocker(FFindField);
    const int existing = FFindField->findText(term, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (existing == 0)
        return;
    if (existing > 0)
        FFindField->removeItem(existing);
    FFindField->insertItem(0, term);
    while (FFindField->count() > HistoryMax)
        FFindField->removeItem(FFindField->count() - 1);
    FFindField->setCurrentIndex(0);
}

bool FindBar::eventFilter(QObject* watched, QEvent* event)
{
    // Undo and redo left to the window reach the document in front.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const auto* field = qobject_cast<const QLineEdit*>(watched);
        const bool undo = key->matches(QKeySequence::Undo);
        if (field != nullptr && (undo || key->matches(QKeySequence::Redo)) &&
            UndoGoesToText(field, undo)) {
            event->ignore();
            return true;
        }
    }
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (key->key() == Qt::Key_Escape) {
        Close();
        return true;
    }
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return QWidget::eventFilter(watched, event);
    if (modifiers == (Qt::ControlModifier | Qt::AltModifier)) {
        if (FReplaceRow->isVisible())
            ReplaceAll();
    } else if (modifiers == Qt::ShiftModifier) {
        FindPrevious();
    } else if (watched == FReplaceField) {
        ReplaceOne();
    } else {
        FindNext();
    }
    return true;
}

void FindBar::ReadSettings(SettingsStore& file)
{
    const QSignalBlocker blocker(FFindField);
    for (const auto& [box, key] : {std::pair{FMatchCase, "MatchCase"},
                                   {FRegularExpression, "RegularExpression"},
                                   {FIgnoreWidth, "IgnoreWidth"},
                                   {FInSelection, "InSelection"}}) {
        const QSignalBlocker quiet(box);
        box->setChecked(file.ReadBool(FindSection, key, box->isChecked()));
    }
    const int count = std::clamp(file.ReadInteger(FindSection, "Num", 0), 0, HistoryMax);
    FFindField->clear();
    for (int i = 0; i < count; ++i) {
        const std::string term = file.ReadString(FindSection, std::to_string(i), {});
        if (!term.empty())
            FFindField->addItem(QString::fromStdString(term));
    }
    FFindField->setEditText({});
}

void FindBar::WriteSettings(SettingsStore& file) const
{
    file.WriteBool(FindSection, "MatchCase", FMatchCase->isChecked());
    file.WriteBool(FindSection, "RegularExpression", FRegularExpression->isChecked());
    file.WriteBool(FindSection, "IgnoreWidth", FIgnoreWidth->isChecked());
    file.WriteBool(FindSection, "InSelection", FInSelection->isChecked());
    file.WriteInteger(FindSection, "Num", FFindField->count());
    for (int i = 0; i < FFindField->count(); ++i)
        file.WriteString(FindSection, std::to_string(i), FFindField->itemText(i).toStdString());
}
