// The line-information gutter beside the editor: line numbers and each visible line's character
// count, the two menu switches for its columns and the dialog for its extra row spacing.

#include "TForm1.h"
#include "ui_TForm1.h"

#include "controls/TLineInfo.h"
#include "controls/TRichEditEx.h"
#include "dialogs/TSetLineSpaceForm.h"

#include <QEvent>
#include <QWidget>

#include <functional>

namespace {

// Tells when the editor's text area changes its size: the window, the gutter's own width, word
// wrap or a horizontal scroll bar coming or going all do that.
class AreaResizeWatcher : public QObject
{
public:
    AreaResizeWatcher(QObject* owner, std::function<void()> onResize)
        : QObject(owner), FOnResize(std::move(onResize))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Only a shown area matters; showing the window lays the gutter out anyway.
        if (event->type() == QEvent::Resize && static_cast<QWidget*>(watched)->isVisible())
            FOnResize();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> FOnResize;
};

} // namespace

void TForm1::SetUpLineInfo()
{
    TLineInfo* gutter = ui->LineInfo1;
    gutter->SetDefaultAddStr(QStringLiteral("0"));
    gutter->SetAddStrLeft(10);
    gutter->SetEditor(ui->TextRichEdit);
    gutter->SetCountOptions(CurrentCountOptions());
    gutter->setFont(ui->TextRichEdit->font());
    // Where the design's page margin puts the editor's left edge, the gutter stands from now on.
    const int left =
        ui->TabPage->contentsRect().left() + ui->TabPageLayout->contentsMargins().left();
    gutter->move(left, gutter->y());
    ui->TextRichEdit->viewport()->installEventFilter(new AreaResizeWatcher(this, [this] {
        LayOutLineInfo();
        UpdateLineInfo();
    }));
}

void TForm1::ConnectLineInfoActions()
{
    connect(ui->ShowLineNumItem, &QAction::triggered, this, &TForm1::ShowLineNumItemClick);
    connect(ui->LineInfoItem, &QAction::triggered, this, &TForm1::LineInfoItemClick);
    connect(ui->SetLineSpaceItem, &QAction::triggered, this, &TForm1::SetLineSpaceItemClick);
    connect(ui->LineInfo1, &TLineInfo::OnChangeSize, this, &TForm1::LineInfo1ChangeSize);
}

// The counting switches may have changed since the last refresh: every refresh takes them anew,
// and the gutter keeps them for the refreshes it runs itself when the editor scrolls.
void TForm1::UpdateLineInfo()
{
    ui->LineInfo1->SetCountOptions(CurrentCountOptions());
    ui->LineInfo1->Refresh();
}

// The gutter stands at the page's left edge, outside the page's layout; the layout's left margin
// leaves room for it and 1 pixel more, so that at width 0 the editor has the whole page.
void TForm1::LineInfo1ChangeSize()
{
    const TLineInfo* gutter = ui->LineInfo1;
    const int left = gutter->x() - ui->TabPage->contentsRect().left();
    QMargins margins = ui->TabPageLayout->contentsMargins();
    margins.setLeft(left + (gutter->width() > 0 ? gutter->width() + 1 : 0));
    if (margins == ui->TabPageLayout->contentsMargins())
        return;
    ui->TabPageLayout->setContentsMargins(margins);
    ui->TabPageLayout->activate(); // the editor takes its new width now, not at the next turn
}

// The gutter stands beside the editor's text area (above a horizontal scroll bar, so that it shows
// no row for a line hidden from view). Its rows place themselves on the editor's display lines:
// the first text line lies a margin below the area's top at the start of the text and at the very
// top once the editor is scrolled, so the gutter spans the whole area rather than starting at the
// first line.
QRect TForm1::LineInfoPlace() const
{
    const QRect area = ui->TextRichEdit->viewport()->geometry().translated(ui->TextRichEdit->pos());
    return {ui->LineInfo1->x(), area.top(), ui->LineInfo1->width(), area.height()};
}

// SetSize recounts the rows for the gutter's height (and for a new row spacing).
void TForm1::LayOutLineInfo()
{
    const QRect place = LineInfoPlace();
    ui->LineInfo1->move(place.topLeft());
    ui->LineInfo1->SetSize(place.width(), place.height());
}

void TForm1::ShowLineNumItemClick()
{
    ui->LineInfo1->SetShowLineNum(ui->ShowLineNumItem->isChecked());
    UpdateLineInfo();
}

void TForm1::LineInfoItemClick()
{
    ui->LineInfo1->SetShowAddStr(ui->LineInfoItem->isChecked());
    UpdateLineInfo();
}

// Anything but an integer, or a spacing that would leave no room between the rows, keeps the
// spacing as it was, without a word.
void TForm1::SetLineSpaceItemClick()
{
    TSetLineSpaceForm form(this);
    form.SetLineSpace(ui->LineInfo1->LineSpace());
    if (form.exec() != QDialog::Accepted)
        return;
    if (const auto value = form.LineSpace(); value && ui->LineInfo1->SetLineSpace(*value))
        FormResize();
}
