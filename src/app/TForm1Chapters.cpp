// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The chapters panel: 解析 › 章ごとの文字数 and its tool button show a dock beside the editor
// that follows the tab in front and counts under the window's switches and paper.

#include "TForm1.h"
#include "ui_TForm1.h"

#include "analysis/SettingsStore.h"
#include "app/ChapterPanel.h"
#include "app/GlyphPicture.h"
#include "app/ManuscriptCheckDock.h"
#include "dialogs/MessageBoxes.h"

#include <QToolButton>

namespace {

constexpr const char* ChapterSection = "Chapters";

} // namespace

void TForm1::SetUpChapterPanel()
{
    FChapterPanel = new ChapterPanel(this);
    addDockWidget(Qt::RightDockWidgetArea, FChapterPanel);
    FChapterPanel->hide();
    QAction* item = FChapterPanel->toggleViewAction();
    item->setObjectName(QStringLiteral("ChapterPanelItem"));
    item->setText(QStringLiteral(u"章ごとの文字数(&B)"));
    item->setToolTip(QStringLiteral(u"章ごとの文字数と枚数を表示します"));
    item->setIcon(GlyphPicture::Icon(QStringLiteral(u"章"), centralWidget()->font()));
    ui->AnalyzeItem->addSeparator();
    ui->AnalyzeItem->addAction(item);
    auto* button = new QToolButton(ui->ToolRow);
    button->setObjectName(QStringLiteral("ChapterSpeedButton"));
    button->setDefaultAction(item);
    button->setIconSize(QSize(16, 16));
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(true);
    // After the last button, before the spacer that ends the row.
    ui->ToolRowLayout->insertWidget(ui->ToolRowLayout->count() - 1, button);

    connect(this, &TForm1::FrontEditorChanged, FChapterPanel, &ChapterPanel::Follow);
    FChapterPanel->Follow(Editor());
    for (QAction* setting : {ui->SpaceItem, ui->TabItem, ui->DoubleByteSpaceItem,
                             ui->ExcludeRubyItem, ui->PaperSettingItem, ui->WordSettingItem})
        connect(setting, &QAction::triggered, this, &TForm1::UpdateChapterCounting);
    UpdateChapterCounting();
}

// The panel counts as the window does; the same word characters keep the lines' sums from being
// counted anew for one and then for the other.
void TForm1::UpdateChapterCounting()
{
    FChapterPanel->SetCounting({CurrentCountOptions(), FWordCharacters, FPaper, FHeadingRules});
    if (FManuscriptCheck != nullptr)
        FManuscriptCheck->SetHeadingRules(FHeadingRules);
}

void TForm1::ReadChapterSettings(SettingsStore& file)
{
    if (!ReadHeadingSettings(FHeadingRules, file))
        MessageBoxes::ShowNotice(
            this, QStringLiteral(u"見出しの書式"),
            QStringLiteral(
                u"設定ファイルの見出しの書式 (正規表現) が正しくないため、使いません。"));
    FChapterPanelWidth = file.ReadInteger(ChapterSection, "Width", 0);
    FChapterPanel->setVisible(file.ReadBool(ChapterSection, "Visible", false));
    if (FChapterPanelWidth > 0)
        connect(
            FChapterPanel, &QDockWidget::visibilityChanged, this,
            [this](bool) { resizeDocks({FChapterPanel}, {FChapterPanelWidth}, Qt::Horizontal); },
            Qt::SingleShotConnection);
    UpdateChapterCounting();
}

void TForm1::WriteChapterSettings(SettingsStore& file) const
{
    WriteHeadingSettings(FHeadingRules, file);
    file.WriteBool(ChapterSection, "Visible", !FChapterPanel->isHidden());
    file.WriteInteger(ChapterSection, "Width",
                      FChapterPanel->isHidden() ? FChapterPanelWidth : FChapterPanel->width());
}
