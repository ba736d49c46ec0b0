// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: menu, tool row, tab strip over the editor and its gutter, the information panel
// and the status bar. It owns the documents and the settings of the counts and hands the work to
// the core; the handlers are spread over TForm1*.cpp by role.

#include "analysis/Chapters.h"
#include "analysis/CharacterArea.h"
#include "analysis/InformationPanel.h"
#include "analysis/ManuscriptCheck.h"
#include "analysis/TextStatistics.h"
#include "analysis/WordCharacterSet.h"
#include "documents/Document.h"
#include "documents/FileReading.h"
#include "documents/FileStamp.h"
#include "paper/TPaper.h"
#include "preview/PreviewSettings.h"
#include "shell/SettingsSnapshot.h"

#include <QKeySequence>
#include <QList>
#include <QMainWindow>
#include <QRect>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

class ChangedOnDiskBar;
class ChapterPanel;
class DocumentTabs;
class FindBar;
class HistoryMenu;
class QAction;
class QComboBox;
class QFileDialog;
class QFileSystemWatcher;
class QLabel;
class QMenu;
class QPainter;
class QTextCursor;
class QTimer;
class ManuscriptCheckDock;
class RecoveryKeeper;
struct RecoveryRecord;
class ManuscriptPreview;
class TLineInfo;
class TRichEditEx;
class StatusPanels;
class WritingLogKeeper;
class WritingLogWindow;
struct WritingGoal;
struct WritingRecord;
class SettingsStore;
struct SettingsKey;

namespace Ui {
class TForm1;
}

class TForm1 : public QMainWindow
{
    Q_OBJECT

public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Start-up after construction: prepares the editor, opens the named files (items as split
    // from the command line), closes the design's empty tab and fills the panel. Throws on error.
    void StartUp(const std::vector<std::string>& items);
    // Opens the items of a command line: each by its exact path name, when it exists.
    void OpenCommandLineItems(const std::vector<std::string>& items);

    // The editor; its GetText()/GetSelectedText() hand out Shift-JIS with CR LF.
    TRichEditEx* Editor() const;

    // Documents and tabs.
    // Opens the file in a tab of its own, or brings its tab to the front; throws Exception naming
    // the file and why when it cannot be read.
    void OpenFile(const std::string& path);
    bool StoreCurrentDocument();
    // The tabs: each document with its editor, and the one in front.
    DocumentTabs& Documents() noexcept;
    std::string OpenTextInNewTab();
    bool QuerySaveAll();
    static QString MakeTitle(const std::string& name);

    // Told as each file the window reads is open, before its first byte is read: a test changes
    // the file, or fails the reading, at that moment.
    void SetReadingHook(FileReader::Opened hook) { FReadingHook = std::move(hook); }

    // Counting settings as the menu's check marks hold them.
    CountOptions CurrentCountOptions() const;
    WordCharacterSet& WordCharacters() noexcept { return FWordCharacters; }
    TPaper& Paper() noexcept { return FPaper; }

    // Shows a report text (Shift-JIS, CR LF) to the writer.
    void ShowReport(const std::string& shiftJisReport);

    // The information panel and the status bar.
    // The figures of the shown document's whole text.
    void ShowInformation(bool useDisplayLines);
    void BeginProgress(const QString& text);
    void SetProgress(double fraction);
    void EndProgress();
    QString StatusText(int panel) const;
    void SetStatusText(int panel, const QString& text);

    // The line-information gutter takes the counting switches in force.
    void UpdateLineInfo();

signals:
    // A document's tab is about to close; the document is still there.
    void DocumentClosing(const Document* document);
    // Another tab's editor has come to the front (a switch, a new tab, a closed tab): whatever
    // follows the shown text connects here and to FrontTextChanged, never to one editor.
    void FrontEditorChanged(TRichEditEx* editor);
    // The text of the editor in front has changed.
    void FrontTextChanged();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // TForm1.cpp: construction and the window's own commands.
    void BuildToolRow();
    void BuildPopupMenu();
    void ConnectActions();
    void ConnectFileActions();
    void ConnectSettingActions();
    void ConnectEditor(TRichEditEx* editor);
    void ShowSelectionCommands(bool selected);
    void CollectWindowShortcuts();
    void FormCreate();
    bool FormClose();
    void FormResize();
    void Cut1Click();
    void Copy1Click();
    void Paste1Click();
    void SelectAllItemClick();
    void FontSettingItemClick();
    void Exit1Click();
    void WordWrapItemClick();
    void ShowPopupMenu(QWidget* widget, const QPoint& position);

    // TForm1Documents.cpp: documents and tabs.
    void New1Click();
    void Open1Click();
    void Save1Click();
    void SaveAs1Click();
    void AllSaveClick();
    void AllCloseItemClick();
    void DeleteTabItemClick();
    void TabControl1CurrentChanged(int index);
    void TabControl1Changing();
    void TabControl1Change();
    void TextRichEditDropFiles();
    bool SaveDocument(int index);
    bool SaveDocumentAs(int index);
    bool ConfirmLossySave(int index);
    bool QuerySave(int index);
    bool SaveAll();
    bool CloseTab(int index);
    void AppendTab(const std::string& fileName);
    void SelectTabQuietly(int index);
    void ShowTab(int index);
    void FrontTabShown();
    void ShowModifiedMark();
    void K1Click();

    // TForm1Encoding.cpp: the encodings of the documents' files.
    void BuildEncodingControls();
    void ShowEncoding();
    // Reads the file for the document, in the given encoding or the one its bytes show.
    FileReading LoadFileInto(Document& document, const std::string& path,
                             std::optional<TextEncoding> encoding);
    void ShowLoadedText(Document& document, FileReading text);
    bool WriteInEncoding(int index, Document& document);
    void ChooseSaveEncoding(const Document& document);
    void TakeSaveEncoding(Document& document) const;
    void ReopenWithEncodingItemClick();
    void ReadTabAgain(int index, std::optional<TextEncoding> encoding);
    void PutRewrittenText(std::string_view rewritten, const QString& source,
                          const Document& sourceDocument);

    // TForm1NulCut.cpp: a file whose text a NUL ended before the file's end.
    void TellCutAtNul(const Document& document);
    bool ConfirmCutAtNul(int index, const Document& document);

    // TForm1Information.cpp: the live panel.
    void TextRichEditChange();
    void TextRichEditSelectionChange();
    // SpaceItem, DoubleByteSpaceItem, TabItem, ExcludeRubyItem, LogicalLineItem, AutoRenewInfoItem.
    void CountingSwitchClick();
    void RenewInfoClick();
    void AppearanceLineItemClick();
    void ShowSelectionInformation();
    void WriteInformation(const InformationTexts& texts, bool selection);
    std::int64_t DocumentSize(int index, const QTextCursor* selection = nullptr) const;
    // The panel's fields as they are shown (empty texts: no figures).
    void PutPanelTexts(const InformationTexts& texts);
    InformationTexts PanelTexts() const;

    // TForm1Status.cpp: the status bar.
    void UpdateCursorPosition();
    void CursorPosInfoItemClick();
    void TextRichEditAfterKeyDown();
    void TextRichEditMouseDown();
    void TextRichEditVScroll();

    // TForm1Analysis.cpp, TForm1Paper.cpp, TForm1Rewrite.cpp: the measurement and rewrite
    // commands of the analysis, arrange and settings menus, the tool row and the pop-up menu.
    void ConnectAnalysisActions();
    std::string AskPhrase();
    std::string SelectedText();
    std::vector<std::string> AllDocumentTexts();
    void CharTypeItemClick();
    void CountPhraseItemClick();
    void PopupCharTypeItemClick();
    void PopupCountPhraseItemClick();
    void K3Click();
    void K4Click();
    void WordSettingItemClick();
    void PaperItemClick();
    void MenuPaperItemClick();
    void SimplePaperItemClick();
    void PopupSimplePaperItemClick();
    void ShowPaperInfo(const PaperInfo& info);
    void PaperOutItemClick();
    void PaperSettingItemClick();
    void ManuscriptPreviewItemClick();
    std::string ShownManuscript(std::string_view text);
    void ToDoubleBytesClick();
    void TokanaItemClick();
    void PutTextInNewTab(const std::function<std::string(std::string_view)>& rewrite);

    // TForm1Check.cpp: the manuscript check beside the editor.
    void ConnectCheckActions();
    void ManuscriptCheckItemClick();
    void MakeManuscriptCheck();

    // TForm1Area.cpp: the character area of the whole text, the selection and all documents,
    // and the About box.
    void ConnectAreaActions();
    AreaResult MeasureLinesArea(const std::vector<std::string>& lines,
                                const std::vector<const Document*>& measured);
    void ShowAreaResult(const AreaResult& result);
    void MeasureShownTextArea(std::string_view text, QAction* runningItem);
    void CharAreaItemClick();
    void PopupCharAreaItemClick();
    void K2Click();
    void About1Click();

    // TForm1Settings.cpp: the settings file and the first-start question.
    void LoadSettings();
    // Writes the keys this window changed into the file as it is now; with `onlyIfChanged`,
    // nothing at all (not even a missing file) while no setting changed.
    void SaveSettings(bool onlyIfChanged = false);
    void WriteSettingsTo(SettingsStore& file);
    void ReadDockSettings(SettingsStore& file);
    void WriteDockSettings(SettingsStore& file);
    std::vector<SettingsKey> SettingKeys();
    std::vector<SettingsKey> FontKeys();
    std::vector<SettingsKey> WindowKeys(QRect& stored);
    void ApplyFontColor();
    void PlaceWindow(const QRect& stored);
    void AskFirstStart();
    void KeepSettingsAsTheyChange();
    void SaveSettingsQuietly();

    // TForm1History.cpp: the recent-file history in the File menu.
    void ConnectHistoryActions();
    void AddHistory(const std::string& path);
    void HistoryEntryClick(QAction* entry);
    void HistorySettingItemClick();
    bool SaveAsAndAddHistory(int index, const std::string& path);

    // TForm1LastFiles.cpp: each file's caret where the writer left it, and the last session's
    // files.
    void SetUpLastFiles();
    void RememberCaret(int index);
    void RememberOpenCarets();
    void PlaceRememberedCaret(const std::string& path);
    void ReopenLastFiles();
    void ReadLastFiles(SettingsStore& file);
    void WriteLastFiles(SettingsStore& file);
    void ShowLastFront();

    // TForm1Gutter.cpp: the line-information gutter.
    TLineInfo* LineInfo1() const;
    void SetUpLineInfo();
    void ConnectLineInfoActions();
    void ShowLineNumItemClick();
    void LineInfoItemClick();
    void SetLineSpaceItemClick();

    // TForm1Chapters.cpp: the chapters panel beside the editor.
    void SetUpChapterPanel();
    void UpdateChapterCounting();
    void ReadChapterSettings(SettingsStore& file);
    void WriteChapterSettings(SettingsStore& file) const;
    // TForm1Find.cpp: the find bar and going to a line.
    void SetUpFindBar();
    void GoToLineItemClick();

    // TForm1Keys.cpp: undo and redo, the shown size, the tabs' keys and marks.
    QAction* AddWindowAction(const char* name, const QString& text,
                             const QList<QKeySequence>& keys);
    void SetUpEditingKeys();
    void ConnectEditingKeys(TRichEditEx* editor);
    void ShowUndoState();
    void ShowTabMarks();
    void ZoomBy(int step);
    // TForm1Recovery.cpp: the recovery files of unsaved changes.
    void SetUpRecovery();
    void OfferRecovery();
    void RestoreRecovered(const RecoveryRecord& record, const std::string& path);
    void DescribeForRecovery(int index, RecoveryRecord& record);

    // TForm1Log.cpp: the writing log, the goal of the document in front and the chart.
    void SetUpWritingLog();
    std::string FrontFileName();
    std::int64_t FrontProgress(const WritingGoal& goal);
    void GoalSettingItemClick();
    void ShowWritingProgress();
    void ShowGoalProgress(const std::string& path, const WritingGoal& goal);
    WritingRecord FrontWritingRecord();
    void WritingLogItemClick();

    // TForm1Watch.cpp: the open files watched on disk.
    struct WatchedFile
    {
        FileStamp known; // as the window last read or wrote the file
        FileStamp seen;  // as the window last looked at it
    };
    void SetUpFileWatch();
    void WatchFile(const std::string& path);
    void WatchFile(const std::string& path, const FileStamp& read);
    void WatchRestoredFile(const std::string& path, const std::optional<FileStamp>& known);
    std::optional<FileStamp> KnownStamp(const std::string& path) const;
    void KeepWatchToOpenFiles(const Document* closing);
    void CheckFilesOnDisk(const QString& changed);
    void ReloadFromDisk(int index, QString notice);
    void ShowChangedOnDiskBar();
    void ReloadChangedClick();
    void IgnoreChangedClick();
    bool ConfirmOverwriteChanged(int index, const std::string& path);

    // TForm1SendTo.cpp: the Send To registration.
    void ConnectSendToActions();
    void RegisterSendTo();
    void CreateSendToItemClick();
    void DeleteSendToItemClick();

    std::unique_ptr<Ui::TForm1> ui;
    QMenu* PopupMenu1 = nullptr;
    QFileDialog* OpenDialog1 = nullptr;
    QFileDialog* SaveDialog1 = nullptr;
    StatusPanels* FStatusBar = nullptr;    // StatusBar1's four sections
    QLabel* FEncodingPanel = nullptr;      // the shown document's encoding, right of the four
    QComboBox* FSaveEncodingBox = nullptr; // in SaveDialog1
    QAction* ReopenWithEncodingItem = nullptr;
    FindBar* FFindBar = nullptr;
    QFileSystemWatcher* FFileWatcher = nullptr;
    ChangedOnDiskBar* FChangedBar = nullptr;
    std::map<std::string, WatchedFile> FWatchedFiles; // by path, as read or written
    std::set<std::string> FChangedUnderEdits;         // changed on disk under unsaved edits
    FileReader::Opened FReadingHook;                  // told as each file read is open
    QAction* FUndoItem = nullptr;
    QAction* FRedoItem = nullptr;

    bool selectionShown = false;
    TPaper FPaper;
    PreviewSettings FPreviewSettings; // the manuscript preview's face
    ManuscriptPreview* FManuscriptPreview = nullptr;
    CheckSwitches FCheckSwitches; // the rules of the manuscript check that are on
    ManuscriptCheckDock* FManuscriptCheck = nullptr;
    ChapterPanel* FChapterPanel = nullptr;
    HeadingRules FHeadingRules;          // the writer's own heading pattern with the built-in rules
    int FChapterPanelWidth = 0;          // as the settings file gave it; 0 for the dock's own width
    std::unique_ptr<DocumentTabs> FTabs; // the tabs and their documents (FDocuments)
    RecoveryKeeper* FRecovery = nullptr; // the recovery files of the documents' unsaved changes
    WritingLogKeeper* FWritingLog = nullptr; // every tab's writing sessions
    QLabel* FGoalPanel = nullptr;            // the front document's goal in the status bar
    QTimer* FGoalRefresh = nullptr;          // the goal's progress once typing pauses
    WritingLogWindow* FLogWindow = nullptr;
    std::set<std::string> FGoalsReached;   // targets told as reached: a path, or a path and a day
    QTimer* FDisplayLineRecount = nullptr; // the recount after the window stops changing size
    WordCharacterSet FWordCharacters;
    InformationTexts savedInformation;     // the whole text's figures while a selection's are shown
    std::unique_ptr<HistoryMenu> FHistory; // the File menu's recent files, with FHistoryMax
    QAction* ReopenLastFilesItem = nullptr;
    std::map<std::string, int> FCarets;  // the caret last seen in each file, by its path
    std::vector<std::string> FLastFiles; // the files open when the settings were last written
    std::string FLastFront;              // the one of them in front
    std::string FSettingsFileName;
    // What this window last wrote to the settings file, or read from it: only the keys that
    // differ from it are written, so that what another window wrote meanwhile stays.
    SettingsSnapshot FSettingsWritten;
    // Font values a QFont does not hold, kept as the settings file gave them.
    struct
    {
        std::int32_t charset = 128;                                  // Shift-JIS
        std::int32_t color = static_cast<std::int32_t>(0x80000008u); // the window-text colour
        std::int32_t pitch = 0;                                      // default pitch
    } FStoredFont;
};
