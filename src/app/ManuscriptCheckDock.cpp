// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ManuscriptCheckDock.h"

#include "CheckFindingsModel.h"

#include "analysis/ShiftJis.h"
#include "controls/ChangedLines.h"
#include "controls/QtShiftJis.h"
#include "controls/TRichEditEx.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>
#include <QTableView>
#include <QTextBlock>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The pause in typing after which the list shows the findings of the text as it stands.
constexpr int PauseMilliseconds = 300;

QString Utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string BlockBytes(const QTextBlock& block)
{
    std::string bytes;
    QtShiftJis::EncodeBlock(block, bytes);
    return bytes;
}

// The document's lines in Shift-JIS for the check, which asks for each line a few times and
// mostly for the next one.
class BlockLines
{
public:
    explicit BlockLines(const QTextDocument& document) : FDocument(document) {}

    std::string_view operator()(std::size_t number)
    {
        const int wanted = static_cast<int>(number);
        if (FBlock.isValid() && FBlock.blockNumber() == wanted)
            return FBytes;
        FBlock = FBlock.isValid() && FBlock.blockNumber() + 1 == wanted
                     ? FBlock.next()
                     : FDocument.findBlockByNumber(wanted);
        FBytes.clear();
        QtShiftJis::EncodeBlock(FBlock, FBytes);
        return FBytes;
    }

private:
    const QTextDocument& FDocument;
    QTextBlock FBlock;
    std::string FBytes;
};

// The place in the block's text of the character at `column` (from 1) of its Shift-JIS form: a
// character is one unit there, two for a pair of surrogates, or one escape per byte when it has
// no Unicode form.
int UnitsBefore(const QTextBlock& block, std::uint32_t column)
{
    const std::string bytes = BlockBytes(block);
    const QString text = block.text();
    int units = 0;
    std::uint32_t at = 1;
    for (const ShiftJis::Character& c : ShiftJis::Characters(bytes)) {
        if (at++ >= column || units >= text.size())
            break;
        const bool pair = text.at(units).isHighSurrogate() && units + 1 < text.size() &&
                          text.at(units + 1).isLowSurrogate();
        units +=
            pair ? 2
                 : static_cast<int>(
                       Cp932::Decode(std::string_view(bytes).substr(c.position, c.length)).size());
    }
    return std::min(units, static_cast<int>(text.size()));
}

} // namespace

ManuscriptCheckDock::ManuscriptCheckDock(QWidget* parent, const CheckSwitches& switches,
                                         const HeadingRules& headings)
    : QDockWidget(QStringLiteral(u"原稿チェック"), parent)
{
    setObjectName(QStringLiteral("ManuscriptCheckDock"));
    FLines.Reset(switches, headings);
    FPause = new QTimer(this);
    FPause->setSingleShot(true);
    FPause->setInterval(PauseMilliseconds);
    connect(FPause, &QTimer::timeout, this, &ManuscriptCheckDock::ShowFindings);

    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(2, 2, 2, 2);
    auto* row = new QHBoxLayout();
    FFilter = new QComboBox(body);
    FFilter->setObjectName(QStringLiteral("CheckRuleFilter"));
    FFilter->addItem(QString());
    for (std::size_t rule = 0; rule < CheckRuleCount; ++rule)
        FFilter->addItem(QString());
    // In a narrow panel the list of rules gives up its width, never the 規則 button.
    FFilter->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    FFilter->setMinimumContentsLength(6);
    row->addWidget(FFilter, 1);
    QToolButton* rules = MakeRulesButton();
    rules->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    row->addWidget(rules);
    layout->addLayout(row);

    FModel = new CheckFindingsModel(this);
    FList = new QTableView(body);
    FList->setObjectName(QStringLiteral("CheckFindingList"));
    FList->setModel(FModel);
    FList->setSelectionBehavior(QAbstractItemView::SelectRows);
    FList->setSelectionMode(QAbstractItemView::SingleSelection);
    FList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FList->verticalHeader()->hide();
    FList->horizontalHeader()->setStretchLastSection(true);
    FList->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(FList);
    setWidget(body);
    ShowCounts();

    connect(FFilter, &QComboBox::currentIndexChanged, this, &ManuscriptCheckDock::FilterChosen);
    connect(FList, &QAbstractItemView::activated, this, &ManuscriptCheckDock::GoTo);
    connect(this, &QDockWidget::visibilityChanged, this, &ManuscriptCheckDock::VisibilityChanged);
}

// The rules' switches, in the list's own menu.
QToolButton* ManuscriptCheckDock::MakeRulesButton()
{
    auto* button = new QToolButton(this);
    button->setObjectName(QStringLiteral("CheckRulesButton"));
    button->setText(QStringLiteral(u"規則"));
    button->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(button);
    for (const CheckRuleInfo& info : CheckRules()) {
        QAction* item = menu->addAction(Utf8(info.title));
        item->setObjectName(QStringLiteral("CheckRule_") + Utf8(info.id));
        item->setToolTip(Utf8(info.message));
        item->setCheckable(true);
        item->setChecked(FLines.Switches().On(info.rule));
        connect(item, &QAction::toggled, this,
                [this, rule = info.rule](bool on) { RuleToggled(rule, on); });
    }
    button->setMenu(menu);
    return button;
}

void ManuscriptCheckDock::Follow(TRichEditEx* editor)
{
    StopListening();
    FEditor = editor;
    if (isVisible())
        Listen();
}

// Checks only while the list can be seen: a closed list costs an edit nothing.
void ManuscriptCheckDock::VisibilityChanged(bool visible)
{
    if (visible)
        Listen();
    else
        StopListening();
}

void ManuscriptCheckDock::Listen()
{
    if (FEditor == nullptr || FListening)
        return;
    FListening = connect(FEditor->document(), &QTextDocument::contentsChange, this,
                         &ManuscriptCheckDock::LinesChanged);
    FScrolling = connect(FEditor->verticalScrollBar(), &QScrollBar::valueChanged, this,
                         &ManuscriptCheckDock::UnderlineInView);
    CheckAll();
}

void ManuscriptCheckDock::StopListening()
{
    disconnect(FListening);
    disconnect(FScrolling);
    FListening = {};
    FScrolling = {};
    FPause->stop();
    if (FEditor != nullptr)
        FEditor->SetMarks(TRichEditEx::MarkLayer::Check, {});
}

void ManuscriptCheckDock::CheckAll()
{
    FLines.Reset(FLines.Switches(), FLines.Rules());
    if (FEditor != nullptr) {
        const auto count = static_cast<std::size_t>(FEditor->document()->blockCount());
        FLines.Replace(0, 0, count, BlockLines(*FEditor->document()), count);
    }
    ShowFindings();
}

void ManuscriptCheckDock::SetHeadingRules(const HeadingRules& rules)
{
    if (rules.ExtraPattern() == FLines.Rules().ExtraPattern())
        return;
    FLines.Reset(FLines.Switches(), rules);
    if (FListening)
        CheckAll();
}

// Only the blocks the edit touched, and those a block heading may join to them, are checked again.
void ManuscriptCheckDock::LinesChanged(int position, int, int added)
{
    const ChangedLines change =
        ChangedLines::Of(*FEditor->document(), position, added, FLines.Count());
    if (!change.first.isValid() || !change.fits) {
        CheckAll();
        return;
    }
    const QTextDocument& document = *FEditor->document();
    FLines.Replace(static_cast<std::size_t>(change.firstNumber),
                   static_cast<std::size_t>(change.replaced),
                   static_cast<std::size_t>(change.last.blockNumber() - change.firstNumber + 1),
                   BlockLines(document), static_cast<std::size_t>(document.blockCount()));
    FPause->start();
}

// The row the writer stands on stays chosen, so that Enter after a correction goes on from there.
void ManuscriptCheckDock::ShowFindings()
{
    FPause->stop();
    const int row = FList->currentIndex().row();
    FModel->SetFindings(FLines.Findings());
    if (row >= 0 && FModel->rowCount() > 0)
        FList->setCurrentIndex(FModel->index(std::min(row, FModel->rowCount() - 1), 0));
    ShowCounts();
    UnderlineInView();
}

// A wavy line under each finding of the lines in view, its message as its tip; the marks move
// with the text until the next pause renews them.
void ManuscriptCheckDock::UnderlineInView()
{
    if (FEditor == nullptr || !FListening)
        return;
    QList<QTextEdit::ExtraSelection> marks;
    const int bottom = FEditor->viewport()->height();
    for (QTextBlock block = FEditor->FirstVisibleBlock();
         block.isValid() && FEditor->BlockTop(block) < bottom &&
         static_cast<std::size_t>(block.blockNumber()) < FLines.Count();
         block = block.next()) {
        for (const LineFinding& finding :
             FLines.Line(static_cast<std::size_t>(block.blockNumber()))) {
            QTextEdit::ExtraSelection mark;
            mark.cursor = QTextCursor(block);
            mark.cursor.setPosition(block.position() + UnitsBefore(block, finding.column));
            mark.cursor.setPosition(block.position() + UnitsBefore(block, finding.column + 1),
                                    QTextCursor::KeepAnchor);
            mark.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
            mark.format.setUnderlineColor(Qt::red);
            mark.format.setToolTip(Utf8(RuleInfo(finding.rule).message));
            marks << mark;
        }
    }
    FEditor->SetMarks(TRichEditEx::MarkLayer::Check, marks);
}

void ManuscriptCheckDock::ShowCounts()
{
    const auto counts = FLines.CountsByRule();
    std::size_t total = 0;
    for (const CheckRuleInfo& info : CheckRules()) {
        const std::size_t count = counts[static_cast<std::size_t>(info.rule)];
        total += count;
        FFilter->setItemText(static_cast<int>(info.rule) + 1,
                             QStringLiteral("%1 (%2)").arg(Utf8(info.title)).arg(count));
    }
    FFilter->setItemText(0, QStringLiteral(u"すべての規則 (%1)").arg(total));
}

// The finding the writer stands on stays chosen where it is still found; a finding of a rule
// turned off leaves no row chosen, rather than another finding that took its row.
void ManuscriptCheckDock::RuleToggled(CheckRule rule, bool on)
{
    const CheckFinding* current = FModel->At(FList->currentIndex().row());
    const std::optional<CheckFinding> chosen =
        current ? std::optional<CheckFinding>(*current) : std::nullopt;
    CheckSwitches switches = FLines.Switches();
    switches.Set(rule, on);
    FLines.Reset(switches, FLines.Rules());
    if (FListening) {
        CheckAll();
        const int row = chosen ? FModel->RowOf(*chosen) : -1;
        FList->setCurrentIndex(row >= 0 ? FModel->index(row, 0) : QModelIndex());
        if (row < 0)
            FList->clearSelection();
    }
    emit SwitchesChanged(switches);
}

void ManuscriptCheckDock::FilterChosen(int index)
{
    FModel->SetFilter(index <= 0 ? std::nullopt
                                 : std::optional<CheckRule>(static_cast<CheckRule>(index - 1)));
}

void ManuscriptCheckDock::GoTo(const QModelIndex& index)
{
    const CheckFinding* finding = FModel->At(index.row());
    if (FEditor == nullptr || finding == nullptr)
        return;
    const QTextBlock block =
        FEditor->document()->findBlockByNumber(static_cast<int>(finding->line) - 1);
    if (!block.isValid())
        return;
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + UnitsBefore(block, finding->column));
    FEditor->setTextCursor(cursor);
    FEditor->ensureCursorVisible();
    FEditor->setFocus();
}
