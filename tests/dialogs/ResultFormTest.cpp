// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModalDialogs.h"
#include "QtTestApplication.h"
#include "dialogs/ResultGeometry.h"
#include "dialogs/TResultForm.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <gtest/gtest.h>

#include <string>

namespace {

// 文字数: 12 / 行数: 3, as the analyses write it.
const std::string Report = "\x95\xB6"
                           "\x8E\x9A"
                           "\x90\x94"
                           ": 12\r\n"
                           "\x8D\x73"
                           "\x90\x94"
                           ": 3";
const char* const ReportShown = "文字数: 12\n行数: 3";

const QSize Ok(75, 25);
const QSize Copy(129, 25);
const QRect Screen(0, 0, 1024, 768);

struct GeometryRow
{
    const char* fact;
    QRect label;
    QSize client;
    int okLeft;
    int buttonTop;
    QPoint window;
};

const GeometryRow GeometryRows[] = {
    {"a one-line report 40 pixels wide still has room for both buttons", QRect(8, 8, 40, 12),
     QSize(236, 69), 8, 36, QPoint(394, 349)},
    {"a wide report widens the dialog and the buttons stay centred", QRect(8, 8, 400, 12),
     QSize(416, 69), 98, 36, QPoint(304, 349)},
    {"a report of 20 lines makes the dialog tall enough for all of them", QRect(8, 8, 100, 300),
     QSize(236, 357), 8, 324, QPoint(394, 205)},
    {"a report taller than the screen reaches above the screen's top", QRect(8, 8, 100, 1000),
     QSize(236, 1057), 8, 1024, QPoint(394, -144)},
};

TEST(ResultGeometry, ButtonsCentredUnderTheReportAndDialogCentredOnScreen)
{
    for (const GeometryRow& row : GeometryRows) {
        const ResultGeometry g = ComputeResultGeometry(row.label, Ok, Copy, QSize(0, 0), Screen);
        EXPECT_EQ(g.Client, row.client) << row.fact;
        EXPECT_EQ(g.OkButton, QPoint(row.okLeft, row.buttonTop)) << row.fact;
        EXPECT_EQ(g.CopyButton, QPoint(row.okLeft + Ok.width() + 16, row.buttonTop)) << row.fact;
        EXPECT_EQ(g.Window, row.window) << row.fact;
    }
}

TEST(ResultGeometry, WindowFrameCountsInTheCentring)
{
    const ResultGeometry g =
        ComputeResultGeometry(QRect(8, 8, 40, 12), Ok, Copy, QSize(10, 30), Screen);
    EXPECT_EQ(g.Window, QPoint((1024 - 246) / 2, (768 - 99) / 2));
}

TEST(TResultForm, ShowsTheReportUnderItsCaption)
{
    TResultForm form;
    form.SetReport(Report);
    EXPECT_EQ(Control<QLabel>(&form, "Label1")->text().toStdString(), ReportShown);
    EXPECT_EQ(form.windowTitle().toStdString(), "解析結果");
}

TEST(TResultForm, CopyPutsTheReportOnTheClipboardWithLfBreaks)
{
    TResultForm form;
    form.SetReport(Report);
    form.show();
    auto* copy = Control<QPushButton>(&form, "CopyButton");
    copy->click();
    copy->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), ReportShown);
    EXPECT_TRUE(form.isVisible());
}

TEST(TResultForm, ShownDialogPlacesButtonsByTheRule)
{
    TResultForm form;
    form.SetReport(Report);
    form.show();
    const QRect label = Control<QLabel>(&form, "Label1")->geometry();
    const QRect ok = Control<QPushButton>(&form, "OkButton")->geometry();
    const QRect copy = Control<QPushButton>(&form, "CopyButton")->geometry();
    EXPECT_EQ(ok.top(), label.bottom() + 1 + 16);
    EXPECT_EQ(copy.top(), ok.top());
    EXPECT_EQ(copy.left(), ok.right() + 1 + 16);
    const int leftMargin = ok.left();
    const int rightMargin = form.width() - (copy.right() + 1);
    EXPECT_LE(std::abs(leftMargin - rightMargin), 1);
    EXPECT_EQ(form.height(), ok.bottom() + 1 + 8);
    EXPECT_GE(form.width(), label.right() + 1 + 8);
}

TEST(TResultForm, ShowReportRunsModallyUntilOk)
{
    QString shown;
    AnswerModal<TResultForm>([&](TResultForm* form) {
        shown = Control<QLabel>(form, "Label1")->text();
        Control<QPushButton>(form, "OkButton")->click();
    });
    TResultForm::ShowReport(nullptr, Report);
    EXPECT_EQ(shown.toStdString(), ReportShown);
}

} // namespace
