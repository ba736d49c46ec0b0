// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The manuscript-paper commands: the sheet counts of the whole text and of the selection, the
// manuscript output and the paper settings dialog.

#include "TForm1.h"
#include "ui_TForm1.h"

#include "app/DocumentTabs.h"

#include "analysis/TextAsRead.h"
#include "analysis/TextStatistics.h"
#include "controls/TRichEditEx.h"
#include "dialogs/TPaperSettingForm.h"
#include "preview/ManuscriptPreview.h"

#include <QFile>

#include <utility>

namespace {

// The weighted count of the quick sheet count: a double-byte character fills a whole cell.
constexpr std::int32_t CellWeight = 2;

} // namespace

void TForm1::PaperItemClick()
{
    ShowPaperInfo(
        FPaper.Count(ReadingText(Editor()->GetText(), CurrentCountOptions().excludeRuby)));
}

void TForm1::MenuPaperItemClick()
{
    ShowPaperInfo(FPaper.Count(ReadingText(SelectedText(), CurrentCountOptions().excludeRuby)));
}

void TForm1::SimplePaperItemClick()
{
    const std::string& text = Editor()->GetText();
    ShowPaperInfo(
        FPaper.SimpleCount(CountText(text, CurrentCountOptions(), CellWeight).characters));
}

void TForm1::PopupSimplePaperItemClick()
{
    ShowPaperInfo(FPaper.SimpleCount(
        CountText(SelectedText(), CurrentCountOptions(), CellWeight).characters));
}

void TForm1::ShowPaperInfo(const PaperInfo& info)
{
    ShowReport(MakePaperReport(info));
}

// The whole text laid out as manuscript lines, in a new tab.
void TForm1::PaperOutItemClick()
{
    const bool excludeRuby = CurrentCountOptions().excludeRuby;
    PutTextInNewTab([this, excludeRuby](std::string_view source) {
        return FPaper.Arrange(ReadingText(source, excludeRuby));
    });
}

void TForm1::PaperSettingItemClick()
{
    TPaperSettingForm::Edit(this, FPaper);
    if (FManuscriptPreview != nullptr)
        FManuscriptPreview->Refresh();
}

// The sheets of the selection, or of the whole text without one, in the preview window, which
// follows the tab in front from then on. Like the count, it shows the text as read while ruby and
// notes are left out.
void TForm1::ManuscriptPreviewItemClick()
{
    if (FManuscriptPreview == nullptr) {
        FManuscriptPreview =
            new ManuscriptPreview(this, FPaper, FPreviewSettings, Editor()->font().family());
        connect(this, &TForm1::FrontTextChanged, FManuscriptPreview,
                &ManuscriptPreview::ScheduleRefresh);
        connect(this, &TForm1::FrontEditorChanged, FManuscriptPreview,
                &ManuscriptPreview::ScheduleRefresh);
        connect(ui->ExcludeRubyItem, &QAction::toggled, FManuscriptPreview,
                &ManuscriptPreview::ScheduleRefresh);
        connect(FManuscriptPreview, &ManuscriptPreview::ExportStarted, this,
                &TForm1::BeginProgress);
        connect(FManuscriptPreview, &ManuscriptPreview::ExportProgress, this, &TForm1::SetProgress);
        connect(FManuscriptPreview, &ManuscriptPreview::ExportFinished, this, &TForm1::EndProgress);
        FManuscriptPreview->SetDocumentPath([this] {
            const Document* shown = FTabs->FrontDocument();
            return shown ? QFile::decodeName(shown->FileName.c_str()) : QString();
        });
    }
    std::string selection = SelectedText();
    if (selection.empty())
        FManuscriptPreview->ShowText([this] { return ShownManuscript(Editor()->GetText()); });
    else
        FManuscriptPreview->ShowText(
            [this, text = std::move(selection)] { return ShownManuscript(text); });
}

std::string TForm1::ShownManuscript(std::string_view text)
{
    return std::string(ReadingText(text, CurrentCountOptions().excludeRuby).View());
}
