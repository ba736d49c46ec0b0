// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The manuscript preview window: the sheets of the shown text as a writer will hand them in,
// paged one by one (PageUp/PageDown, Home/End), zoomed, written vertically or horizontally, saved
// as PDF or printed; or the same text as a submission manuscript (応募原稿), plain pages of the
// submission's own size. It follows the text and the paper settings when they change.

#include "PreviewSettings.h"
#include "SheetOutput.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <string>

class QAction;
class QLabel;
class QScrollArea;
class QTimer;
class ManuscriptView;
class TPaper;

class ManuscriptPreview : public QWidget
{
    Q_OBJECT

public:
    // `paper` and `settings` belong to the owner and outlive the window, which keeps its layout,
    // the submission's settings and its size in `settings`; `fallbackFamily` is the face used when
    // the preview's own is not installed.
    ManuscriptPreview(QWidget* owner, const TPaper& paper, PreviewSettings& settings,
                      QString fallbackFamily);
    ~ManuscriptPreview() override;

    // Shows the sheets of the text `source` hands out (Shift-JIS, CR LF), asked again at every
    // refresh, from the first sheet, and brings the window to the front.
    void ShowText(std::function<std::string()> source);
    // Lays the text out again under the current paper, keeping the sheet shown where it still is.
    // Where the shown text's file is (empty for a text without a file): the PDF dialog starts
    // in its folder with its name, and the printer names its output after it.
    void SetDocumentPath(std::function<QString()> path) { FDocumentPath = std::move(path); }
    void Refresh();
    // A refresh a moment later, once typing pauses; nothing while the window is hidden.
    void ScheduleRefresh();

    std::int32_t CurrentSheet() const noexcept { return FSheet; }
    std::int32_t SheetCount() const noexcept;
    void GoToSheet(std::int32_t sheet);

    // Writes every page shown to `path` with the progress shown and Cancel offered; an error is
    // shown in the error box. `paper` is the sheets' paper; the submission has its own. True when
    // the file was written.
    bool ExportPdf(const QString& path, PdfPaper paper);

signals:
    // A long export: its start (with the text for the status bar), its progress, its end.
    void ExportStarted(const QString& text);
    void ExportProgress(double fraction);
    void ExportFinished();

private:
    QAction* AddAction(const QString& text, const QString& name, const QKeySequence& key,
                       void (ManuscriptPreview::*slot)());
    void BuildToolRow();
    void Relayout();
    void ShowCurrent();
    void ApplyZoom();
    void PreviousSheetClick();
    void NextSheetClick();
    void FirstSheetClick();
    void LastSheetClick();
    void FitClick();
    void ZoomInClick();
    void ZoomOutClick();
    void HorizontalClick();
    void SheetsClick();
    void SubmissionClick();
    void SubmissionSettingClick();
    void SavePdfClick();
    void PrintClick();
    void CloseClick();
    bool RunExport(const std::function<bool(const SheetProgress&)>& work);
    std::unique_ptr<PagePainter> MakePages(const ManuscriptLayout& layout) const;
    SheetStyle CurrentSheetStyle() const;
    SubmissionStyle CurrentSubmissionStyle() const;
    QString DocumentTitle() const;
    void FitToScreen();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    const TPaper& FPaper;
    PreviewSettings& FSettings;
    QString FFallbackFamily;
    std::function<std::string()> FSource;
    // Shared with a running export, which keeps what it started with when the text changes.
    std::shared_ptr<const ManuscriptLayout> FLayout;
    std::unique_ptr<PagePainter> FSheets; // the sheets or the submission pages of FLayout
    std::int32_t FSheet = 0;
    double FCellPixels = 0; // 0: the sheet fits the window
    bool FExporting = false;

    ManuscriptView* FView = nullptr;
    QScrollArea* FScroll = nullptr;
    QLabel* FSheetLabel = nullptr;
    QAction* FHorizontal = nullptr;
    QAction* FSheetsItem = nullptr;
    QAction* FSubmissionItem = nullptr;
    bool FSized = false; // the window has taken its first size
    QTimer* FRefreshTimer = nullptr;
    std::function<QString()> FDocumentPath;
};
