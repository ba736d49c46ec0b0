// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TForm1.h"
#include "ui_TForm1.h"

#include "app/CommandGuard.h"
#include "app/DocumentTabs.h"
#include "app/EditorFocus.h"
#include "app/FileDialogSetup.h"
#include "app/FontSetup.h"
#include "app/GlyphPicture.h"
#include "app/HistoryMenu.h"
#include "app/KotonamiApplication.h"
#include "app/PanelFields.h"
#include "app/RecoveryKeeper.h"
#include "app/StatusPanels.h"
#include "app/WindowSettingsFile.h"
#include "app/WritingLogKeeper.h"
#include "controls/TRichEditEx.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QTimer>

#include <algorithm>
#include <exception>

namespace {

// A small tool-button picture: one character in a frame, for commands with no stock picture.
QIcon GlyphIcon(const QString& glyph, const QFont& font)
{
    return GlyphPicture::Icon(glyph, font);
}

} // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent), ui(std::make_unique<Ui::TForm1>())
{
    ui->setupUi(this);
    FHistory = std::make_unique<HistoryMenu>(ui->HistoryItem);
    const QFont designFont(DesignFontName, DesignFontPointSize);
    centralWidget()->setFont(designFont);
    statusBar()->setFont(designFont);
    // The program's small picture in the title bar and the task list.
    setWindowIcon(GlyphIcon(GlyphPicture::ProgramGlyph, designFont));
    BuildToolRow();
    FStatusBar = new StatusPanels(statusBar());
    BuildPopupMenu();
    // The window opens wide enough to show every panel figure whole; narrower, the panel scrolls.
    resize(std::max(width(), SetUpPanelFields(*ui->ScrollBox1)), height());

    // Re-wrapping a whole novel to count its display lines takes a noticeable moment, so a
    // resize recounts once the window has stopped changing size, not at every step of a drag.
    FDisplayLineRecount = new QTimer(this);
    FDisplayLineRecount->setSingleShot(true);
    FDisplayLineRecount->setInterval(150);
    connect(FDisplayLineRecount, &QTimer::timeout, this, &TForm1::TextRichEditChange);

    OpenDialog1 = new QFileDialog(this, QStringLiteral(u"ファイルを開く"));
    OpenDialog1->setFileMode(QFileDialog::ExistingFiles);
    SaveDialog1 = new QFileDialog(this, QStringLiteral(u"ファイルの保存"));
    SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog1->setFileMode(QFileDialog::AnyFile);
    for (QFileDialog* dialog : {OpenDialog1, SaveDialog1}) {
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        dialog->setNameFilters(
            {QStringLiteral(u"テキストファイル(*.txt)"), QStringLiteral(u"すべて(*)")});
        dialog->setDefaultSuffix(QStringLiteral("txt"));
        SetUpFileDialog(*dialog);
    }
    BuildEncodingControls();

    // The design's one tab and its empty document, in the design's editor.
    FTabs = std::make_unique<DocumentTabs>(ui->TabControl1, ui->TextRichEdit,
                                           [this](TRichEditEx* editor) { ConnectEditor(editor); });
    SetUpRecovery();
    SetUpWritingLog();
    FTabs->Append({});
    FTabs->SelectQuietly(0);
    FTabs->Show(0);
    connect(FTabs.get(), &DocumentTabs::FrontChanged, this, &TForm1::FrontTabShown);

    ConnectActions();
    SetUpChapterPanel();
    CollectWindowShortcuts();
    KeepEditorFocused(*this, *FTabs->FocusTarget());
    FormCreate();
}

TForm1::~TForm1() = default;

TRichEditEx* TForm1::Editor() const
{
    return FTabs ? FTabs->Front() : ui->TextRichEdit;
}

void TForm1::BuildToolRow()
{
    QStyle* style = this->style();
    const QFont font = centralWidget()->font();
    const struct
    {
        QToolButton* button;
        QAction* action;
        QIcon icon;
    } buttons[] = {
        {ui->NewSpeedButton, ui->New1, style->standardIcon(QStyle::SP_FileIcon)},
        {ui->OpenSpeedButton, ui->Open1, style->standardIcon(QStyle::SP_DialogOpenButton)},
        {ui->SaveSpeedButton, ui->Save1, style->standardIcon(QStyle::SP_DialogSaveButton)},
        {ui->SpeedButton1, ui->AllSave, GlyphIcon(QStringLiteral(u"全"), font)},
        {ui->CutSpeedButton, ui->Cut1, GlyphIcon(QStringLiteral(u"切"), font)},
        {ui->CopySpeedButton, ui->Copy1, GlyphIcon(QStringLiteral(u"写"), font)},
        {ui->PasteSpeedButton, ui->Paste1, GlyphIcon(QStringLiteral(u"貼"), font)},
        {ui->AreaSpeedButton, ui->CharAreaItem, GlyphIcon(QStringLiteral(u"面"), font)},
        {ui->SortCountSpeedButton, ui->CharTypeItem, GlyphIcon(QStringLiteral(u"種"), font)},
        {ui->CountSpeedButton, ui->CountPhraseItem, GlyphIcon(QStringLiteral(u"語"), font)},
        {ui->PaperSpeedButton, ui->PaperItem, GlyphIcon(QStringLiteral(u"原"), font)},
    };
    for (const auto& entry : buttons) {
        entry.action->setIcon(entry.icon);
        entry.button->setDefaultAction(entry.action);
        entry.button->setIconSize(QSize(16, 16));
    }
}

void TForm1::BuildPopupMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->addActions({ui->Cut1, ui->Copy1, ui->Paste1});
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(ui->RenewInfo);
    PopupMenu1->addSeparator();
    PopupMenu1->addActions({ui->PopupCharAreaItem, ui->MenuCharTypeItem, ui->MenuCountPhraseItem,
                            ui->PopupPaperItem, ui->PopupSimplePaperItem,
                            ui->ManuscriptPreviewItem});
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(ui->DeleteTabItem);
    ui->TabControl1->setContextMenuPolicy(Qt::CustomContextMenu);
    // Each editor asks for it as it is made (ConnectEditor).
    QList<QWidget*> owners{ui->TabControl1, ui->ScrollBox1};
    // The panel's fields are part of the panel: its menu, not the fields' own editing menu.
    for (QLineEdit* field : ui->ScrollBox1->widget()->findChildren<QLineEdit*>()) {
        field->setContextMenuPolicy(Qt::CustomContextMenu);
        owners << field;
    }
    for (QWidget* widget : owners) {
        connect(widget, &QWidget::customContextMenuRequested, this,
                [this, widget](const QPoint& position) { ShowPopupMenu(widget, position); });
    }
}

void TForm1::ShowPopupMenu(QWidget* widget, const QPoint& position)
{
    PopupMenu1->popup(widget->mapToGlobal(position));
}

void TForm1::ConnectActions()
{
    ConnectFileActions();
    ConnectSettingActions();
    ConnectAnalysisActions();
    ConnectCheckActions();
    ConnectAreaActions();
    ConnectLineInfoActions();
    ConnectHistoryActions();
    SetUpLastFiles();
    ConnectSendToActions();
    SetUpFindBar();
    SetUpFileWatch();
    SetUpEditingKeys();
    ConnectCommand(ui->Cut1, &QAction::triggered, this, &TForm1::Cut1Click);
    ConnectCommand(ui->Copy1, &QAction::triggered, this, &TForm1::Copy1Click);
    ConnectCommand(ui->Paste1, &QAction::triggered, this, &TForm1::Paste1Click);
    ConnectCommand(ui->SelectAllItem, &QAction::triggered, this, &TForm1::SelectAllItemClick);
    ConnectCommand(ui->K1, &QAction::triggered, this, &TForm1::K1Click);
    ConnectCommand(ui->RenewInfo, &QAction::triggered, this, &TForm1::RenewInfoClick);
    ShowSelectionCommands(false);
}

void TForm1::ConnectFileActions()
{
    ConnectCommand(ui->New1, &QAction::triggered, this, &TForm1::New1Click);
    ConnectCommand(ui->Open1, &QAction::triggered, this, &TForm1::Open1Click);
    ConnectCommand(ui->Save1, &QAction::triggered, this, &TForm1::Save1Click);
    ConnectCommand(ui->SaveAs1, &QAction::triggered, this, &TForm1::SaveAs1Click);
    ConnectCommand(ui->AllSave, &QAction::triggered, this, &TForm1::AllSaveClick);
    ConnectCommand(ui->AllCloseItem, &QAction::triggered, this, &TForm1::AllCloseItemClick);
    ConnectCommand(ui->DeleteTabItem, &QAction::triggered, this, &TForm1::DeleteTabItemClick);
    ConnectCommand(ui->Exit1, &QAction::triggered, this, &TForm1::Exit1Click);
    connect(ui->TabControl1, &QTabBar::currentChanged, this, &TForm1::TabControl1CurrentChanged);
}

void TForm1::ConnectSettingActions()
{
    ConnectCommand(ui->FontSettingItem, &QAction::triggered, this, &TForm1::FontSettingItemClick);
    for (QAction* counting : {ui->SpaceItem, ui->DoubleByteSpaceItem, ui->TabItem,
                              ui->ExcludeRubyItem, ui->LogicalLineItem, ui->AutoRenewInfoItem})
        ConnectCommand(counting, &QAction::triggered, this, &TForm1::CountingSwitchClick);
    ConnectCommand(ui->AppearanceLineItem, &QAction::triggered, this,
                   &TForm1::AppearanceLineItemClick);
    ConnectCommand(ui->WordWrapItem, &QAction::triggered, this, &TForm1::WordWrapItemClick);
    ConnectCommand(ui->CursorPosInfoItem, &QAction::triggered, this,
                   &TForm1::CursorPosInfoItemClick);
}

// The window hears the editor in front only: one behind another tab changes only when the window
// changes its text, and says what it needs then itself.
void TForm1::ConnectEditor(TRichEditEx* editor)
{
    const auto front = [this, editor](void (TForm1::*handler)()) {
        return [this, editor, handler] {
            if (editor == Editor())
                (this->*handler)();
        };
    };
    connect(editor, &TRichEditEx::Change, this, front(&TForm1::TextRichEditChange));
    connect(editor, &TRichEditEx::Change, this, [this, editor] {
        if (editor == Editor())
            emit FrontTextChanged();
    });
    connect(editor, &QPlainTextEdit::selectionChanged, this,
            front(&TForm1::TextRichEditSelectionChange));
    connect(editor, &TRichEditEx::AfterKeyDown, this, front(&TForm1::TextRichEditAfterKeyDown));
    connect(editor, &TRichEditEx::MouseDown, this, front(&TForm1::TextRichEditMouseDown));
    connect(editor, &TRichEditEx::VScroll, this, front(&TForm1::TextRichEditVScroll));
    connect(editor, &TRichEditEx::CaretLineKnown, this, front(&TForm1::UpdateCursorPosition));
    // Every move of the caret, by key, mouse or command (go to line, an undo, a finding chosen),
    // shows in the status bar.
    connect(editor, &QPlainTextEdit::cursorPositionChanged, this,
            front(&TForm1::UpdateCursorPosition));
    connect(editor, &TRichEditEx::DropFiles, this, [this, editor] {
        if (editor == Editor())
            RunCommand(this, [this] { TextRichEditDropFiles(); });
    });
    connect(editor, &QPlainTextEdit::copyAvailable, this, [this, editor](bool selected) {
        if (editor == Editor())
            ShowSelectionCommands(selected);
    });
    connect(editor, &QWidget::customContextMenuRequested, this,
            [this, editor](const QPoint& position) { ShowPopupMenu(editor, position); });
    ConnectEditingKeys(editor);
    FRecovery->Follow(editor->Text());
    FWritingLog->Follow(editor->Text());
}

// The window's shortcuts act before the editor sees the key.
void TForm1::CollectWindowShortcuts()
{
    QList<QKeySequence> shortcuts;
    for (const QAction* action : findChildren<QAction*>())
        shortcuts << action->shortcuts();
    Editor()->SetWindowShortcuts(shortcuts);
}

// An error while reading the settings is shown, and the window goes on with what it has.
void TForm1::FormCreate()
{
    SetUpLineInfo();
    FSettingsFileName = WindowSettingsFileName();
    try {
        LoadSettings();
    } catch (const std::exception& error) {
        KotonamiApplication::ShowError(error.what());
    }
    KeepSettingsAsTheyChange();
}

bool TForm1::FormClose()
{
    if (!QuerySaveAll())
        return false;
    FWritingLog->WriteAll(true);
    SaveSettings();
    // Only a window that really closes lets its recovery files go.
    FRecovery->ForgetAll();
    return true;
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // Refused first, so that an error while asking or saving keeps the window open.
    event->ignore();
    RunCommand(this, [&] {
        if (FormClose())
            event->accept();
    });
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

// The layouts place the controls; what is left is what depends on the editor's new width.
void TForm1::FormResize()
{
    if (ui->AppearanceLineItem->isChecked())
        FDisplayLineRecount->start();
}

void TForm1::Cut1Click()
{
    Editor()->cut();
}

void TForm1::Copy1Click()
{
    Editor()->copy();
}

void TForm1::Paste1Click()
{
    // Text only; with nothing textual on the clipboard the selection is replaced by nothing.
    Editor()->insertPlainText(QApplication::clipboard()->text());
}

void TForm1::SelectAllItemClick()
{
    Editor()->selectAll();
}

void TForm1::FontSettingItemClick()
{
    // The design's font name stands for whichever Japanese font is installed here; the dialog
    // lists only installed families, so it is given the family the editor actually draws with.
    const QFont shown = Editor()->font();
    QFont offered = shown;
    offered.setFamilies({QFontInfo(shown).family()});
    bool accepted = false;
    const QFont font = QFontDialog::getFont(&accepted, offered, this);
    // Accepted as offered (the dialog only names the style), the editor keeps its own font.
    QFont chosen = font;
    chosen.setStyleName(offered.styleName());
    if (accepted && chosen.toString() != offered.toString())
        Editor()->setFont(font);
    // The wrapping and with it the display lines may have changed.
    FormResize();
}

void TForm1::Exit1Click()
{
    close();
}

void TForm1::WordWrapItemClick()
{
    Editor()->ChangeWordWrap(ui->WordWrapItem->isChecked());
    FormResize();
}
