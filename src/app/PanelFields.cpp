// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PanelFields.h"

#include <QEvent>
#include <QGridLayout>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

namespace {

// The design's three figures a row, never more.
constexpr int MostColumns = 3;

// QLineEdit keeps this many pixels between its contents rectangle and the text on either side.
constexpr int LineEditTextMargin = 2;

// The width at which the field shows the text from its first to its last pixel without scrolling.
int FieldWidthFor(const QLineEdit& field, const QString& text)
{
    const QFontMetrics metrics = field.fontMetrics();
    // The line edit scrolls as soon as the text and the caret's pixel do not fit; glyphs that
    // reach out beyond their advance need their overhang too.
    int width = metrics.horizontalAdvance(text) + 1 + std::max(0, -metrics.minLeftBearing()) +
                std::max(0, -metrics.minRightBearing()) + 2 * LineEditTextMargin;
    const QMargins textMargins = field.textMargins();
    const QMargins contentsMargins = field.contentsMargins();
    width +=
        textMargins.left() + textMargins.right() + contentsMargins.left() + contentsMargins.right();
    if (field.hasFrame())
        width += 2 * field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &field);
    return width;
}

// Lays the panel's figures out in as many columns as its width holds (three pairs of label and
// field side by side, two, or one), so that a panel narrowed by a side panel shows every figure
// without scrolling; keeps the panel tall enough for its rows and, while even one column is too
// wide, for the horizontal scroll bar under them, so that no row is ever cut off.
class ScrollBarRoom : public QObject
{
public:
    explicit ScrollBarRoom(QScrollArea& panel) : QObject(&panel), FPanel(panel)
    {
        FGrid = qobject_cast<QGridLayout*>(panel.widget()->layout());
        if (FGrid != nullptr)
            TakePairs();
        panel.horizontalScrollBar()->installEventFilter(this);
        panel.installEventFilter(this);
        Fit();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &FPanel && event->type() == QEvent::Resize)
            Reflow();
        else if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
            Fit();
        return QObject::eventFilter(watched, event);
    }

private:
    // The pairs in the design's reading order, row by row; the spacer that ends the rows.
    void TakePairs()
    {
        for (int row = 0; row < FGrid->rowCount(); ++row)
            for (int column = 0; column + 1 < FGrid->columnCount(); column += 2) {
                QLayoutItem* label = FGrid->itemAtPosition(row, column);
                QLayoutItem* field = FGrid->itemAtPosition(row, column + 1);
                if (label && field && label->widget() && field->widget())
                    FPairs.push_back({label->widget(), field->widget()});
            }
        FColumns = MostColumns;
        for (int i = 0; i < FGrid->count(); ++i)
            if (QLayoutItem* item = FGrid->itemAt(i); item->spacerItem() != nullptr)
                FEnd = item->spacerItem();
    }

    // The most columns whose width the panel holds, as the grid itself measures them.
    void Reflow()
    {
        if (FGrid == nullptr || FPairs.empty())
            return;
        const int room = FPanel.width() - 2 * FPanel.frameWidth();
        const int before = FColumns;
        for (int columns = MostColumns; columns >= 1; --columns) {
            Place(columns);
            if (FPanel.widget()->minimumSizeHint().width() <= room)
                break;
        }
        if (FColumns != before)
            Fit();
    }

    void Place(int columns)
    {
        if (columns == FColumns)
            return;
        FColumns = columns;
        for (const auto& [label, field] : FPairs) {
            FGrid->removeWidget(label);
            FGrid->removeWidget(field);
        }
        if (FEnd != nullptr)
            FGrid->removeItem(FEnd);
        const int count = static_cast<int>(FPairs.size());
        for (int i = 0; i < count; ++i) {
            const auto& [label, field] = FPairs[static_cast<std::size_t>(i)];
            FGrid->addWidget(label, i / columns, 2 * (i % columns));
            FGrid->addWidget(field, i / columns, 2 * (i % columns) + 1);
        }
        if (FEnd != nullptr)
            FGrid->addItem(FEnd, 0, 2 * columns, (count + columns - 1) / columns, 1);
    }

    // A new height lays the panel out again, which can show or hide the bar while the height is
    // being set: the call that would come from inside is left out, and the height fitted again
    // if the bar changed meanwhile.
    void Fit()
    {
        if (FFitting)
            return;
        FFitting = true;
        const QScrollBar* bar = FPanel.horizontalScrollBar();
        const int rows = FPanel.widget()->minimumSizeHint().height();
        const int frame = 2 * FPanel.frameWidth();
        for (int tries = 0; tries < 2; ++tries) {
            const bool shown = bar->isVisibleTo(&FPanel);
            FPanel.setFixedHeight(rows + frame + (shown ? bar->sizeHint().height() : 0));
            if (bar->isVisibleTo(&FPanel) == shown)
                break;
        }
        FFitting = false;
    }

    QScrollArea& FPanel;
    bool FFitting = false;
    QGridLayout* FGrid = nullptr;
    std::vector<std::pair<QWidget*, QWidget*>> FPairs;
    QSpacerItem* FEnd = nullptr;
    int FColumns = 0;
};

// The widest text a field with this unit can show: the largest count, in the font's widest digit.
QString WidestText(const QLineEdit& field, const QString& unit)
{
    const QFontMetrics metrics = field.fontMetrics();
    QChar widest = u'0';
    for (char16_t digit = u'1'; digit <= u'9'; ++digit)
        if (metrics.horizontalAdvance(QChar(digit)) > metrics.horizontalAdvance(widest))
            widest = QChar(digit);
    // Every count is a 32-bit figure: at most ten digits.
    constexpr int digits = std::numeric_limits<std::int32_t>::digits10 + 1;
    return QString(digits, widest) + unit;
}

} // namespace

int SetUpPanelFields(QScrollArea& panel)
{
    for (QLineEdit* field : panel.widget()->findChildren<QLineEdit*>()) {
        QString unit = field->text();
        unit.remove(QRegularExpression(QStringLiteral("^[0-9]+")));
        // The design's button-face colour, from the palette so that the field keeps its font.
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Button));
        field->setPalette(palette);
        field->setMinimumWidth(FieldWidthFor(*field, WidestText(*field, unit)));
    }
    new ScrollBarRoom(panel);
    return panel.widget()->minimumSizeHint().width() + 2 * panel.frameWidth();
}
