// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChapterPanel.h"

#include "controls/QtShiftJis.h"
#include "controls/TRichEditEx.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace {

enum Column
{
    TitleColumn,
    CharactersColumn,
    SheetsColumn,
    ShareColumn
};

constexpr int ChapterRole = Qt::UserRole;
constexpr int ShareRole = Qt::UserRole + 1;

// A bar of the chapter's share of the longest chapter of its level.
class ShareBar : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        const double share = std::clamp(index.data(ShareRole).toDouble(), 0.0, 1.0);
        QRect bar = option.rect.adjusted(2, 3, -2, -3);
        bar.setWidth(static_cast<int>(bar.width() * share));
        painter->fillRect(bar, option.palette.color(QPalette::Highlight).lighter(130));
    }
};

} // namespace

ChapterPanel::ChapterPanel(QWidget* parent)
    : QDockWidget(QStringLiteral(u"章ごとの文字数"), parent), FTree(new QTreeWidget(this)),
      FGaveUp(new QLabel(this)), FSheetPause(new QTimer(this))
{
    setObjectName(QStringLiteral("ChapterPanel"));
    FTree->setObjectName(QStringLiteral("ChapterTree"));
    FTree->setHeaderLabels({QStringLiteral(u"見出し"), QStringLiteral(u"文字数"),
                            QStringLiteral(u"枚数"), QStringLiteral(u"割合")});
    FTree->setItemDelegateForColumn(ShareColumn, new ShareBar(FTree));
    // The figures take the room they need and the bar a little; the titles have the rest.
    QHeaderView* header = FTree->header();
    header->setStretchLastSection(false);
    header->setMinimumSectionSize(24);
    header->setSectionResizeMode(TitleColumn, QHeaderView::Stretch);
    // Sized from the widest figure, not by measuring every row at every change.
    header->setSectionResizeMode(CharactersColumn, QHeaderView::Fixed);
    header->setSectionResizeMode(SheetsColumn, QHeaderView::Fixed);
    header->setSectionResizeMode(ShareColumn, QHeaderView::Fixed);
    header->resizeSection(ShareColumn, 48);
    FTree->setUniformRowHeights(true);
    // Below the tree, a line that tells when the writer's own heading pattern gave up.
    FGaveUp->setObjectName(QStringLiteral("ChapterPatternGaveUp"));
    FGaveUp->setWordWrap(true);
    FGaveUp->setText(
        QStringLiteral(u"見出しの書式 (正規表現) "
                       u"が複雑すぎるため、一部の行では見出しかどうかを判定できませんでした。"));
    FGaveUp->hide();
    auto* body = new QWidget(this);
    auto* rows = new QVBoxLayout(body);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->addWidget(FTree);
    rows->addWidget(FGaveUp);
    setWidget(body);
    FSheetPause->setSingleShot(true);
    FSheetPause->setInterval(SheetPauseMs);
    connect(FSheetPause, &QTimer::timeout, this, &ChapterPanel::CountSheets);
    connect(FTree, &QTreeWidget::itemClicked, this, &ChapterPanel::MoveCaretTo);
    connect(FTree, &QTreeWidget::itemActivated, this, &ChapterPanel::GoTo);
    // A hidden panel does nothing while the writer types.
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible)
            Attach();
        else
            Detach();
    });
}

void ChapterPanel::SetCounting(ChapterCounting counting)
{
    counting.generation = FCounting.generation + 1;
    FCounting = std::move(counting);
    if (FOutline)
        Attach();
}

// The same editor announced again has had its text read in anew: its outline counts it whole.
void ChapterPanel::Follow(TRichEditEx* editor)
{
    if (editor != FEditor) {
        Detach();
        FEditor = editor;
    }
    if (!isHidden())
        Attach();
}

void ChapterPanel::showEvent(QShowEvent* event)
{
    QDockWidget::showEvent(event);
    Attach();
}

void ChapterPanel::Detach()
{
    for (const QMetaObject::Connection& connection : FConnections)
        disconnect(connection);
    FConnections.clear();
    FOutline = nullptr;
}

// The outline of the text in front, counted under the panel's settings if it was not yet.
void ChapterPanel::Attach()
{
    if (!FEditor)
        return;
    ChapterOutline* outline = ChapterOutline::Of(FEditor->Text());
    if (outline != FOutline) {
        Detach();
        FOutline = outline;
        FConnections = {
            connect(outline, &ChapterOutline::StructureChanged, this, &ChapterPanel::ShowStructure),
            connect(outline, &ChapterOutline::FiguresChanged, this, &ChapterPanel::ShowFigures),
            connect(FEditor, &QPlainTextEdit::cursorPositionChanged, this,
                    &ChapterPanel::ShowCaret),
        };
    }
    outline->CountUnder(FCounting);
    ShowStructure();
}

void ChapterPanel::ShowStructure()
{
    FTree->clear();
    FItems.clear();
    FShown.clear();
    if (!FOutline)
        return;
    const auto& chapters = FOutline->Chapters();
    const auto& parents = FOutline->Parents();
    for (std::size_t i = 0; i < chapters.size(); ++i) {
        auto* item = parents[i] == NoParent ? new QTreeWidgetItem(FTree)
                                            : new QTreeWidgetItem(FItems[parents[i]]);
        item->setText(TitleColumn, QtShiftJis::Decode(chapters[i].span.title));
        item->setData(TitleColumn, ChapterRole, static_cast<qulonglong>(i));
        item->setTextAlignment(CharactersColumn, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(SheetsColumn, Qt::AlignRight | Qt::AlignVCenter);
        FItems.push_back(item);
        FShown.push_back({-1, -1, -1, -1});
    }
    FTree->expandAll();
    FGaveUp->setVisible(FCounting.rules.ExtraPatternGaveUp());
    ShowFigures();
}

void ChapterPanel::ShowFigures()
{
    if (!FOutline || FItems.size() != FOutline->Chapters().size())
        return ShowStructure();
    const auto& chapters = FOutline->Chapters();
    std::array<std::int64_t, 4> longest{}; // by level, 0 to 3
    const auto levelOf = [](const ChapterOutline::Entry& entry) {
        return static_cast<std::size_t>(std::clamp(entry.span.level, 0, 3));
    };
    std::int64_t most = 0;
    std::int32_t mostSheets = 0;
    for (const ChapterOutline::Entry& entry : chapters) {
        longest[levelOf(entry)] = std::max(longest[levelOf(entry)], entry.characters);
        most = std::max(most, entry.characters);
        mostSheets = std::max(mostSheets, entry.sheets);
    }
    FitColumn(CharactersColumn, QString::number(most));
    FitColumn(SheetsColumn, QString::number(mostSheets) + QStringLiteral("…"));
    for (std::size_t i = 0; i < chapters.size(); ++i) {
        const ChapterOutline::Entry& entry = chapters[i];
        QTreeWidgetItem* item = FItems[i];
        const std::int64_t longestOfLevel = longest[levelOf(entry)];
        const Figures shown = {entry.characters, entry.sheets, entry.sheetsKnown ? 1 : 0,
                               longestOfLevel};
        if (FShown[i] == shown)
            continue;
        FShown[i] = shown;
        item->setText(CharactersColumn, QString::number(entry.characters));
        item->setText(SheetsColumn, QString::number(entry.sheets) +
                                        (entry.sheetsKnown ? QString() : QStringLiteral("…")));
        item->setData(ShareColumn, ShareRole,
                      longestOfLevel > 0 ? static_cast<double>(entry.characters) / longestOfLevel
                                         : 0.0);
    }
    if (FOutline->SheetsPending())
        FSheetPause->start();
    ShowCaret();
}

void ChapterPanel::FitColumn(int column, const QString& widest)
{
    const int width = std::max(FTree->fontMetrics().horizontalAdvance(widest),
                               FTree->header()->sectionSizeHint(column)) +
                      12;
    if (FTree->header()->sectionSize(column) != width)
        FTree->header()->resizeSection(column, width);
}

void ChapterPanel::ShowCaret()
{
    if (!FOutline || !FEditor)
        return;
    const int chapter = FOutline->ChapterAt(FEditor->textCursor().blockNumber());
    const QSignalBlocker blocker(FTree);
    if (chapter < 0 || static_cast<std::size_t>(chapter) >= FItems.size())
        FTree->setCurrentItem(nullptr);
    else
        FTree->setCurrentItem(FItems[static_cast<std::size_t>(chapter)]);
}

void ChapterPanel::MoveCaretTo(QTreeWidgetItem* item)
{
    if (!FOutline || !FEditor || item == nullptr)
        return;
    const auto index = item->data(TitleColumn, ChapterRole).toULongLong();
    if (index >= FOutline->Chapters().size())
        return;
    const QTextBlock heading = FEditor->document()->findBlockByNumber(
        static_cast<int>(FOutline->Chapters()[index].span.firstLine));
    if (!heading.isValid())
        return;
    QTextCursor cursor = FEditor->textCursor();
    cursor.setPosition(heading.position());
    FEditor->setTextCursor(cursor);
    FEditor->centerCursor();
}

// Enter or a double click: the caret goes to the heading and the writer goes on typing there.
void ChapterPanel::GoTo(QTreeWidgetItem* item)
{
    MoveCaretTo(item);
    if (FEditor)
        FEditor->setFocus();
}

void ChapterPanel::CountSheets()
{
    if (FOutline)
        FOutline->CountSheets();
}
