#include "ManuscriptView.h"

#include "SheetPainter.h"

#include <QPainter>

namespace {

constexpr int Desk = 12; // pixels of desk around the sheet

} // namespace

ManuscriptView::ManuscriptView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ManuscriptView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ManuscriptView::ShowSheet(const SheetPainter* sheets, std::int32_t sheet)
{
    FSheets = sheets;
    FSheet = sheet;
    update();
}

void ManuscriptView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(128, 128, 128));
    if (FSheets == nullptr)
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    FSheets->Paint(painter, QRectF(rect().adjusted(Desk, Desk, -Desk, -Desk)), FSheet);
}
