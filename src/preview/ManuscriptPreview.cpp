// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ManuscriptPreview.h"

#include "ManuscriptView.h"
#include "dialogs/MessageBoxes.h"
#include "dialogs/SideWindow.h"
#include "dialogs/TCancelForm.h"
#include "dialogs/TSubmissionSettingForm.h"
#include "paper/TPaper.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr double ZoomStep = 1.25;
constexpr double SmallestCell = 6;    // pixels
constexpr double LargestCell = 240;   // pixels
constexpr int DeskPixels = 24;        // the desk around the sheet, both sides together
constexpr double LargestView = 16000; // pixels
constexpr int DefaultWidth = 900;
constexpr int DefaultHeight = 700;
constexpr double ScreenShare = 0.9;

} // namespace

ManuscriptPreview::ManuscriptPreview(QWidget* owner, const TPaper& paper, PreviewSettings& settings,
                                     QString fallbackFamily)
    : QWidget(owner, Qt::Window), FPaper(paper), FSettings(settings),
      FFallbackFamily(std::move(fallbackFamily))
{
    setObjectName(QStringLiteral("ManuscriptPreview"));
    setWindowTitle(QStringLiteral(u"原稿用紙プレビュー"));
    FView = new ManuscriptView;
    FScroll = new QScrollArea;
    FScroll->setWidget(FView);
    FScroll->setAlignment(Qt::AlignCenter);
    FScroll->setWidgetResizable(true);
    FScroll->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    BuildToolRow();
    layout->addWidget(FScroll, 1);

    FRefreshTimer = new QTimer(this);
    FRefreshTimer->setSingleShot(true);
    FRefreshTimer->setInterval(300);
    connect(FRefreshTimer, &QTimer::timeout, this, &ManuscriptPreview::Refresh);
}

// The size the window last had, or a sheet's worth, never more than 90 % of the screen it opens
// on (a small screen, or a large scale factor, would otherwise put its edges off the screen); it
// opens over the main window and inside that window's screen.
void ManuscriptPreview::FitToScreen()
{
    QSize size(DefaultWidth, DefaultHeight);
    if (FSettings.Width > 0 && FSettings.Height > 0)
        size = QSize(FSettings.Width, FSettings.Height);
    const QWidget* near = parentWidget() != nullptr ? parentWidget() : this;
    if (const QScreen* screen = near->screen()) {
        const QSize room = screen->availableGeometry().size() * ScreenShare;
        size = size.boundedTo(room);
    }
    resize(size);
    if (parentWidget() != nullptr)
        PlaceOnOwnersScreen(*this, *parentWidget());
    FSized = true;
}

void ManuscriptPreview::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (FSized && isVisible()) {
        FSettings.Width = width();
        FSettings.Height = height();
    }
}

ManuscriptPreview::~ManuscriptPreview() = default;

QAction* ManuscriptPreview::AddAction(const QString& text, const QString& name,
                                      const QKeySequence& key, void (ManuscriptPreview::*slot)())
{
    auto* action = new QAction(text, this);
    action->setObjectName(name);
    action->setShortcut(key);
    connect(action, &QAction::triggered, this, slot);
    addAction(action);
    return action;
}

void ManuscriptPreview::BuildToolRow()
{
    auto* row = new QToolBar(this);
    row->setObjectName(QStringLiteral("PreviewToolBar"));
    row->setToolButtonStyle(Qt::ToolButtonTextOnly);
    row->addAction(AddAction(QStringLiteral(u"前へ"), QStringLiteral("PreviousSheetItem"),
                             Qt::Key_PageUp, &ManuscriptPreview::PreviousSheetClick));
    FSheetLabel = new QLabel(row);
    FSheetLabel->setObjectName(QStringLiteral("SheetLabel"));
    FSheetLabel->setContentsMargins(8, 0, 8, 0);
    row->addWidget(FSheetLabel);
    row->addAction(AddAction(QStringLiteral(u"次へ"), QStringLiteral("NextSheetItem"),
                             Qt::Key_PageDown, &ManuscriptPreview::NextSheetClick));
    AddAction(QStringLiteral(u"最初"), QStringLiteral("FirstSheetItem"), Qt::Key_Home,
              &ManuscriptPreview::FirstSheetClick);
    AddAction(QStringLiteral(u"最後"), QStringLiteral("LastSheetItem"), Qt::Key_End,
              &ManuscriptPreview::LastSheetClick);
    row->addSeparator();
    row->addAction(AddAction(QStringLiteral(u"全体表示"), QStringLiteral("FitItem"),
                             QKeySequence(Qt::CTRL | Qt::Key_0), &ManuscriptPreview::FitClick));
    row->addAction(AddAction(QStringLiteral(u"拡大"), QStringLiteral("ZoomInItem"),
                             QKeySequence::ZoomIn, &ManuscriptPreview::ZoomInClick));
    row->addAction(AddAction(QStringLiteral(u"縮小"), QStringLiteral("ZoomOutItem"),
                             QKeySequence::ZoomOut, &ManuscriptPreview::ZoomOutClick));
    row->addSeparator();
    FHorizontal = AddAction(QStringLiteral(u"横書き"), QStringLiteral("HorizontalItem"), {},
                            &ManuscriptPreview::HorizontalClick);
    FHorizontal->setCheckable(true);
    row->addAction(FHorizontal);
    row->addSeparator();
    FSheetsItem = AddAction(QStringLiteral(u"原稿用紙"), QStringLiteral("SheetsItem"), {},
                            &ManuscriptPreview::SheetsClick);
    FSubmissionItem = AddAction(QStringLiteral(u"応募原稿"), QStringLiteral("SubmissionItem"), {},
                                &ManuscriptPreview::SubmissionClick);
    auto* layouts = new QActionGroup(this);
    for (QAction* choice : {FSheetsItem, FSubmissionItem}) {
        choice->setCheckable(true);
        layouts->addAction(choice);
        row->addAction(choice);
    }
    FSubmissionItem->setChecked(FSettings.SubmissionShown);
    FSheetsItem->setChecked(!FSettings.SubmissionShown);
    row->addAction(AddAction(QStringLiteral(u"応募原稿の設定…"),
                             QStringLiteral("SubmissionSettingItem"), {},
                             &ManuscriptPreview::SubmissionSettingClick));
    row->addSeparator();
    row->addAction(AddAction(QStringLiteral(u"PDFに保存…"), QStringLiteral("SavePdfItem"),
                             QKeySequence::Save, &ManuscriptPreview::SavePdfClick));
    row->addAction(AddAction(QStringLiteral(u"印刷…"), QStringLiteral("PrintItem"),
                             QKeySequence::Print, &ManuscriptPreview::PrintClick));
    row->addSeparator();
    row->addAction(AddAction(QStringLiteral(u"閉じる"), QStringLiteral("CloseItem"),
                             QKeySequence(Qt::Key_Escape), &ManuscriptPreview::CloseClick));
    layout()->addWidget(row);
}

void ManuscriptPreview::ShowText(std::function<std::string()> source)
{
    FSource = std::move(source);
    FSheet = 0;
    if (FSettings.SubmissionShown)
        FHorizontal->setChecked(!FSettings.Submission.Vertical);
    Refresh();
    if (!isVisible())
        FitToScreen();
    show();
    raise();
    activateWindow();
}

void ManuscriptPreview::Refresh()
{
    FRefreshTimer->stop();
    if (!FSource)
        return;
    if (FSettings.SubmissionShown)
        FLayout = std::make_shared<const ManuscriptLayout>(
            SubmissionLayout(FPaper, FSettings.Submission, FSource(), DocumentTitle().toStdString(),
                             FSettings.Submission.Author));
    else
        FLayout = std::make_shared<const ManuscriptLayout>(FPaper, FSource());
    Relayout();
}

void ManuscriptPreview::ScheduleRefresh()
{
    if (isVisible())
        FRefreshTimer->start();
}

// A new painter for a new layout or a new writing direction.
void ManuscriptPreview::Relayout()
{
    FView->ShowSheet(nullptr, 0);
    FSheets.reset();
    if (FLayout)
        FSheets = MakePages(*FLayout);
    GoToSheet(FSheet);
    ApplyZoom();
}

std::int32_t ManuscriptPreview::SheetCount() const noexcept
{
    return FSheets ? FSheets->PageCount() : 0;
}

void ManuscriptPreview::GoToSheet(std::int32_t sheet)
{
    FSheet = std::clamp(sheet, 0, std::max(SheetCount() - 1, 0));
    ShowCurrent();
}

void ManuscriptPreview::ShowCurrent()
{
    FSheetLabel->setText(QStringLiteral(u"%1 / %2 枚").arg(FSheet + 1).arg(SheetCount()));
    FView->ShowSheet(FSheets.get(), FSheet);
}

void ManuscriptPreview::PreviousSheetClick()
{
    GoToSheet(FSheet - 1);
}

void ManuscriptPreview::NextSheetClick()
{
    GoToSheet(FSheet + 1);
}

void ManuscriptPreview::FirstSheetClick()
{
    GoToSheet(0);
}

void ManuscriptPreview::LastSheetClick()
{
    GoToSheet(SheetCount() - 1);
}

// Fitted, the sheet follows the window's size; zoomed, it keeps its size and scrolls.
void ManuscriptPreview::ApplyZoom()
{
    FScroll->setWidgetResizable(FCellPixels == 0 || !FSheets);
    if (FCellPixels > 0 && FSheets) {
        // Paper of thousands of cells a side is shown no larger than a widget can be.
        const QSizeF size = FSheets->PageShape() * FCellPixels;
        const double shrink = std::min(1.0, LargestView / std::max(size.width(), size.height()));
        FView->resize((size * shrink).toSize() + QSize(DeskPixels, DeskPixels));
    }
}

void ManuscriptPreview::FitClick()
{
    FCellPixels = 0;
    ApplyZoom();
}

void ManuscriptPreview::ZoomInClick()
{
    if (!FSheets)
        return;
    if (FCellPixels == 0) {
        const QSizeF size = FSheets->PageShape();
        const QSizeF room = FScroll->viewport()->size() - QSize(DeskPixels, DeskPixels);
        FCellPixels = std::min(room.width() / size.width(), room.height() / size.height());
    }
    FCellPixels = std::clamp(FCellPixels * ZoomStep, SmallestCell, LargestCell);
    ApplyZoom();
}

void ManuscriptPreview::ZoomOutClick()
{
    if (!FSheets)
        return;
    if (FCellPixels == 0)
        return; // fitted is as small as the window needs
    FCellPixels = std::clamp(FCellPixels / ZoomStep, SmallestCell, LargestCell);
    ApplyZoom();
}

void ManuscriptPreview::HorizontalClick()
{
    if (FSettings.SubmissionShown)
        FSettings.Submission.Vertical = !FHorizontal->isChecked();
    Relayout();
}

void ManuscriptPreview::SheetsClick()
{
    FSettings.SubmissionShown = false;
    Refresh();
}

void ManuscriptPreview::SubmissionClick()
{
    FSettings.SubmissionShown = true;
    FHorizontal->setChecked(!FSettings.Submission.Vertical);
    Refresh();
}

void ManuscriptPreview::SubmissionSettingClick()
{
    if (!TSubmissionSettingForm::Edit(this, FSettings.Submission))
        return;
    if (FSettings.SubmissionShown) {
        FHorizontal->setChecked(!FSettings.Submission.Vertical);
        Refresh();
    }
}

// The title of a submission: the writer's own, else the document's name.
QString ManuscriptPreview::DocumentTitle() const
{
    if (!FSettings.Submission.TitleText.empty())
        return QString::fromStdString(FSettings.Submission.TitleText);
    return QFileInfo(FDocumentPath ? FDocumentPath() : QString()).completeBaseName();
}

SheetStyle ManuscriptPreview::CurrentSheetStyle() const
{
    return {!FHorizontal->isChecked(), PreviewFamily(FSettings, FFallbackFamily)};
}

SubmissionStyle ManuscriptPreview::CurrentSubmissionStyle() const
{
    return {FSettings.Submission, PreviewFamily(FSettings, FFallbackFamily),
            DocumentTitle().toStdString(), FSettings.Submission.Author};
}

std::unique_ptr<PagePainter> ManuscriptPreview::MakePages(const ManuscriptLayout& layout) const
{
    if (FSettings.SubmissionShown)
        return std::make_unique<SubmissionPainter>(layout, CurrentSubmissionStyle());
    return std::make_unique<SheetPainter>(layout, CurrentSheetStyle());
}

// The paper size is the file type chosen in the dialog.
void ManuscriptPreview::SavePdfClick()
{
    QFileDialog dialog(this, QStringLiteral(u"PDFに保存"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList filters = FSettings.SubmissionShown
                                    ? QStringList{QStringLiteral(u"応募原稿 (*.pdf)")}
                                    : QStringList{QStringLiteral(u"B4 原稿用紙 (*.pdf)"),
                                                  QStringLiteral(u"A4 原稿用紙 (*.pdf)")};
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (const QFileInfo document(FDocumentPath ? FDocumentPath() : QString());
        !document.fileName().isEmpty()) {
        dialog.setDirectory(document.absolutePath());
        dialog.selectFile(document.completeBaseName() + QStringLiteral(".pdf"));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    ExportPdf(dialog.selectedFiles().constFirst(),
              dialog.selectedNameFilter() == filters.value(1) ? PdfPaper::A4 : PdfPaper::B4);
}

bool ManuscriptPreview::ExportPdf(const QString& path, PdfPaper paper)
{
    if (!FLayout || !FSheets)
        return false;
    const std::shared_ptr<const ManuscriptLayout> layout = FLayout;
    const bool submission = FSettings.SubmissionShown;
    const SheetStyle style = CurrentSheetStyle();
    const SubmissionStyle submissionStyle = CurrentSubmissionStyle();
    QString error;
    OutputResult result = OutputResult::Cancelled;
    RunExport([&](const SheetProgress& progress) {
        result = submission ? WriteSubmissionPdf(path, *layout, submissionStyle, progress, error)
                            : WriteManuscriptPdf(path, *layout, style, paper, progress, error);
        return result == OutputResult::Written;
    });
    if (result == OutputResult::Failed)
        MessageBoxes::ShowError(this, error);
    return result == OutputResult::Written;
}

void ManuscriptPreview::CloseClick()
{
    close();
}

void ManuscriptPreview::PrintClick()
{
    if (!FLayout || !FSheets)
        return;
    QPrinter printer(QPrinter::HighResolution);
    if (FSettings.SubmissionShown) {
        printer.setPageLayout(SubmissionPageLayout(GeometryOf(FSettings.Submission)));
    } else {
        printer.setPageSize(QPageSize(QPageSize::JisB4));
        printer.setPageOrientation(FHorizontal->isChecked() ? QPageLayout::Portrait
                                                            : QPageLayout::Landscape);
    }
    const QFileInfo document(FDocumentPath ? FDocumentPath() : QString());
    printer.setDocName(document.fileName().isEmpty() ? QStringLiteral(u"原稿用紙")
                                                     : document.completeBaseName());
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::shared_ptr<const ManuscriptLayout> layout = FLayout;
    const std::unique_ptr<PagePainter> pages = MakePages(*layout);
    RunExport(
        [&](const SheetProgress& progress) { return PaintSheets(printer, *pages, progress); });
}

// Runs a long export with the status bar's progress and the cancel window; the window and the
// main window keep answering between pages. One export at a time.
bool ManuscriptPreview::RunExport(const std::function<bool(const SheetProgress&)>& work)
{
    if (FExporting)
        return false;
    FExporting = true;
    const std::unique_ptr<TCancelForm> cancel = TCancelForm::ShowOver(this);
    emit ExportStarted(QStringLiteral(u"出力中"));
    // An export that fails (a full disk) ends like one that is done: the progress goes and the
    // next export may start.
    const auto finished = qScopeGuard([this] {
        emit ExportFinished();
        FExporting = false;
    });
    return work([this, &cancel](std::int32_t page, std::int32_t pages) {
        emit ExportProgress(static_cast<double>(page) / pages);
        QApplication::processEvents();
        return !cancel->Cancelled();
    });
}
