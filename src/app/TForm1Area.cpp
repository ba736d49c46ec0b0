// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The character area of the whole text, the selection and all open documents, and the About box.
// A measurement draws one line after another and lets the window run between the lines, so the
// writer can go on working, watch the progress and cancel.

#include "TForm1.h"
#include "ui_TForm1.h"

#include "app/DocumentTabs.h"

#include "analysis/AllDocuments.h"
#include "app/CommandGuard.h"
#include "controls/TRichEditEx.h"
#include "dialogs/MessageBoxes.h"
#include "dialogs/TCancelForm.h"
#include "dialogs/TCopyrightForm.h"
#include "graphics/GraphicsFunc.h"

#include <QCoreApplication>
#include <QEvent>
#include <QImage>

#include <algorithm>
#include <exception>

namespace {

// Notices the end of what a measurement works on: the window being closed (a hide that the
// window system did not cause, unlike a minimise) or one of the measured documents' tabs closing.
class CloseWatch : public QObject
{
public:
    CloseWatch(TForm1* window, std::vector<const Document*> measured)
        : FWindow(window), FMeasured(std::move(measured))
    {
        window->installEventFilter(this);
        connect(window, &TForm1::DocumentClosing, this, &CloseWatch::DocumentClosing);
    }
    ~CloseWatch() override { FWindow->removeEventFilter(this); }
    bool Closed() const noexcept { return FClosed; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == FWindow && event->type() == QEvent::Hide && !event->spontaneous())
            FClosed = true;
        return false;
    }

private:
    void DocumentClosing(const Document* document)
    {
        if (std::find(FMeasured.begin(), FMeasured.end(), document) != FMeasured.end())
            FClosed = true;
    }

    TForm1* FWindow;
    std::vector<const Document*> FMeasured;
    bool FClosed = false;
};

// Disables a menu item for as long as it lives.
class DisabledWhileRunning
{
public:
    explicit DisabledWhileRunning(QAction* item) : FItem(item) { FItem->setEnabled(false); }
    ~DisabledWhileRunning() { FItem->setEnabled(true); }
    DisabledWhileRunning(const DisabledWhileRunning&) = delete;
    DisabledWhileRunning& operator=(const DisabledWhileRunning&) = delete;

private:
    QAction* FItem;
};

} // namespace

void TForm1::ConnectAreaActions()
{
    ConnectCommand(ui->CharAreaItem, &QAction::triggered, this, &TForm1::CharAreaItemClick);
    ConnectCommand(ui->MenuCharAreaItem, &QAction::triggered, this,
                   &TForm1::PopupCharAreaItemClick);
    ConnectCommand(ui->PopupCharAreaItem, &QAction::triggered, this,
                   &TForm1::PopupCharAreaItemClick);
    ConnectCommand(ui->K2, &QAction::triggered, this, &TForm1::K2Click);
    ConnectCommand(ui->About1, &QAction::triggered, this, &TForm1::About1Click);
}

// Measures the lines (Shift-JIS, without line breaks) one by one. Cancel, closing the window or
// closing one of `measured` ends it as cancelled; an error shows its box and ends it with what
// was measured before.
AreaResult TForm1::MeasureLinesArea(const std::vector<std::string>& lines,
                                    const std::vector<const Document*>& measured)
{
    const std::unique_ptr<TCancelForm> cancelForm = TCancelForm::ShowOver(this);
    BeginProgress(QStringLiteral(u"計算中"));
    const CloseWatch closeWatch(this, measured);
    const CountOptions options = CurrentCountOptions();
    const QFont font = GraphicsFunc::MeasuringFont(Editor()->font());
    GraphicsFunc::AreaCanvas canvas;
    AreaResult result;
    try {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            std::int64_t area = 0;
            result.coveredPixels += GraphicsFunc::GetStringArea(
                RemoveUncountedBlanks(lines[i], options), area, font, canvas);
            result.totalPixels += area;
            SetProgress(static_cast<double>(i) / static_cast<double>(lines.size()));
            QCoreApplication::processEvents();
            if (cancelForm->Cancelled() || closeWatch.Closed()) {
                result.cancelled = true;
                break;
            }
        }
    } catch (const std::exception& error) {
        MessageBoxes::ShowError(this, QString::fromStdString(error.what()));
    }
    EndProgress();
    return result;
}

void TForm1::ShowAreaResult(const AreaResult& result)
{
    if (result.cancelled)
        return;
    if (result.coveredPixels == 0)
        MessageBoxes::ShowMessage(this, QStringLiteral(u"データがありません"));
    else
        ShowReport(MakeAreaReport(result));
}

// The area of a text of the shown document; `runningItem` is off while it is measured.
void TForm1::MeasureShownTextArea(std::string_view text, QAction* runningItem)
{
    if (text.empty())
        return;
    const DisabledWhileRunning running(runningItem);
    const std::vector<const Document*> shown = {FTabs->FrontDocument()};
    ShowAreaResult(MeasureLinesArea(SplitLines(text), shown));
}

void TForm1::CharAreaItemClick()
{
    MeasureShownTextArea(Editor()->GetText(), ui->CharAreaItem);
}

void TForm1::PopupCharAreaItemClick()
{
    MeasureShownTextArea(SelectedText(), ui->PopupCharAreaItem);
}

// One measurement per document, each with its own progress and Cancel; a Cancel ends them all.
void TForm1::K2Click()
{
    const DisabledWhileRunning running(ui->PopupCharAreaItem);
    const std::vector<std::string> texts = AllDocumentTexts();
    std::vector<const Document*> measured;
    for (int i = 0; i < Documents().Count(); ++i)
        measured.push_back(Documents().Item(i));
    AreaResult totals;
    for (const std::string& text : texts) {
        const AreaResult one = MeasureLinesArea(SplitLines(text), measured);
        totals += one;
        if (one.cancelled) {
            totals.cancelled = true;
            break;
        }
    }
    ShowAreaResult(totals);
}

void TForm1::About1Click()
{
    TCopyrightForm::ShowOver(this);
}
