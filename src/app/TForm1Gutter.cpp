// The line-information gutter beside the editor: line numbers and each visible line's character
// count, the two menu switches for its columns and the dialog for its extra row spacing.

#include "TForm1.h"
#include "ui_TForm1.h"

#include "controls/TLineInfo.h"
#include "controls/TRichEditEx.h"
#include "dialogs/TSetLineSpaceForm.h"

#include <algorithm>

void TForm1::SetUpLineInfo()
{
    TLineInfo* gutter = ui->LineInfo1;
    gutter->SetDefaultAddStr(QStringLiteral("0"));
    gutter->SetAddStrLeft(10);
    gutter->SetEditor(ui->TextRichEdit);
    gutter->SetCountOptions(CurrentCountOptions());
    gutter->setFont(ui->TextRichEdit->font());
    // Where the design's page margin puts the editor's left edge, the gutter stands from now on.
    const int left = ui->TabPage->contentsRect().left() + ui->TabPageLayout->contentsMargins().left();
    gutter->move(left, gutter->y());
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
    // Typing can bring up or take away the editor's horizontal scroll bar, and with it a row.
    if (LineInfoPlace() != ui->LineInfo1->geometry())
        LayOutLineInfo();
    ui->LineInfo1->SetCountOptions(CurrentCountOptions());
    ui->LineInfo1->Refresh();
}

void TForm1::RefreshLineInfo(const Document& document)
{
    ui->LineInfo1->SetCountOptions(CurrentCountOptions());
    ui->LineInfo1->Refresh(document.Lines);
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

// The gutter's top meets the editor's first text line and its foot the foot of the editor's text
// area (above a horizontal scroll bar), so that it shows no row for a line hidden from view.
QRect TForm1::LineInfoPlace() const
{
    const TLineInfo* gutter = ui->LineInfo1;
    const TRichEditEx* editor = ui->TextRichEdit;
    const int top = editor->y() + gutter->EditorTextTop();
    const int bottom = editor->y() + editor->viewport()->geometry().bottom() + 1;
    return {gutter->x(), top, gutter->width(), std::max(0, bottom - top)};
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
