// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PanelFields.h"

#include <QEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include <cstdint>
#include <limits>

namespace {

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

// Keeps the panel tall enough for its rows and, while the window is too narrow, for the
// horizontal scroll bar under them, so that the second row is never cut off.
class ScrollBarRoom : public QObject
{
public:
    explicit ScrollBarRoom(QScrollArea& panel) : QObject(&panel), FPanel(panel)
    {
        panel.horizontalScrollBar()->installEventFilter(this);
        Fit();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
            Fit();
        return QObject::eventFilter(watched, event);
    }

private:
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
