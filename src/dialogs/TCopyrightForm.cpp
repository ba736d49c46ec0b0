// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TCopyrightForm.h"

#include "graphics/GraphicsFunc.h"
#include "shell/Version.h"
#include "ui_TCopyrightForm.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QShowEvent>

TCopyrightForm::TCopyrightForm(QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint),
      FUi(std::make_unique<Ui::TCopyrightForm>())
{
    FUi->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(277, 133);
    FUi->SuperLabel2->setCaption(QStringLiteral("Ver." KOTONAMI_VERSION));
    connect(FUi->Button1, &QPushButton::clicked, this, &TCopyrightForm::Button1Click);
}

TCopyrightForm::~TCopyrightForm() = default;

TCopyrightForm* TCopyrightForm::ShowOver(QWidget* owner)
{
    auto* form = new TCopyrightForm(owner);
    form->show();
    return form;
}

void TCopyrightForm::showEvent(QShowEvent* event)
{
    // Sent before the window reaches the screen, so the grab sees what lies behind it.
    if (!event->spontaneous())
        FormShow();
    QWidget::showEvent(event);
}

void TCopyrightForm::FormShow()
{
    for (QWidget* label : {FUi->SuperLabel1, FUi->SuperLabel2, FUi->SuperLabel3, FUi->SuperLabel4})
        label->move((width() - label->width()) / 2, label->y());
    FUi->Button1->setGeometry(0, height() - FUi->Button1->height(), width(),
                              FUi->Button1->height());
    QScreen* shownOn = QGuiApplication::primaryScreen();
    if (shownOn) {
        const QRect screenRect = shownOn->geometry();
        move(screenRect.x() + (screenRect.width() - width()) / 2,
             screenRect.y() + (screenRect.height() - height()) / 2);
    }
    GrabBackground();
}

// Tinted once: tinting the window's own picture at every repaint would darken it further each
// time until the box turned black.
void TCopyrightForm::GrabBackground()
{
    QScreen* shownOn = QGuiApplication::primaryScreen();
    const QPixmap grab = shownOn
                             ? shownOn->grabWindow(0, x() - shownOn->geometry().x(),
                                                   y() - shownOn->geometry().y(), width(), height())
                             : QPixmap();
    if (grab.isNull()) {
        // Where the platform lets no one read the screen, black stands in for it.
        FBackground = QImage(size(), QImage::Format_RGB32);
        FBackground.fill(Qt::black);
        return;
    }
    FBackground = grab.toImage();
    GraphicsFunc::ChangeBrightness(FBackground, FBackground.rect(), 20, 60, 20);
}

// Over a busy or bright background the lime letters would be lost: a darker plate lies under
// the texts, the tinted background showing around it.
void TCopyrightForm::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(rect(), FBackground);
    QRect texts;
    for (const QWidget* label :
         {FUi->SuperLabel1, FUi->SuperLabel2, FUi->SuperLabel3, FUi->SuperLabel4})
        texts |= label->geometry();
    painter.fillRect(texts.adjusted(-6, -3, 6, 3), QColor(0, 0, 0, 150));
}

// The box answers Return and Escape as a dialog does.
void TCopyrightForm::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        close();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TCopyrightForm::Button1Click()
{
    close();
}
