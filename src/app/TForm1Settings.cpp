// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file: read once while the window is created, written when a setting changes and
// when the window closes. Each section's keys are a table in the file's order; a new key is one
// more row (see SettingsKey). A window writes only the keys it changed, into the file as it is
// then, so that with two windows open a setting changed in one survives the other's close.

#include "TForm1.h"
#include "ui_TForm1.h"

#include "app/HistoryMenu.h"
#include "app/ManuscriptCheckDock.h"

#include "analysis/CountSettings.h"
#include "analysis/ShiftJis.h"
#include "app/FindBar.h"
#include "app/WindowSettingsFile.h"
#include "controls/QtShiftJis.h"
#include "controls/TLineInfo.h"
#include "controls/TRichEditEx.h"
#include "dialogs/MessageBoxes.h"
#include "shell/TIniFile.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QVariant>

#include <algorithm>
#include <exception>
#include <functional>
#include <map>
#include <optional>

// One key of the settings file: its name, the form of its value, and how the window hands the
// value out at close (`get`) and takes it at start (`set`). What `get` gives at start is the
// key's default, so a missing key keeps the window's design value. To add a key, add a row to
// its section's table below, at the place it is to have in the file.
struct SettingsKey
{
    enum Form
    {
        Boolean,
        Integer,
        Text
    };
    const char* name;
    Form form;
    std::function<QVariant()> get;
    std::function<void(const QVariant&)> set;
};

namespace {

constexpr const char* SettingSection = "Setting";
constexpr const char* FontSection = "Font";
constexpr const char* WindowSection = "Window";
constexpr const char* EditorSection = "Editor"; // the shown size of the text

// The profile functions hand out a face name of at most 31 bytes.
constexpr std::size_t MaxFaceNameBytes = 31;
constexpr int MinPointSize = 1;
constexpr int MaxPointSize = 200;

std::optional<std::string>& SettingsFileOverride()
{
    static std::optional<std::string> path;
    return path;
}

void ReadKeys(SettingsStore& file, const char* section, const std::vector<SettingsKey>& keys)
{
    for (const SettingsKey& key : keys) {
        const QVariant current = key.get();
        switch (key.form) {
        case SettingsKey::Boolean:
            key.set(file.ReadBool(section, key.name, current.toBool()));
            break;
        case SettingsKey::Integer:
            key.set(file.ReadInteger(section, key.name, current.toInt()));
            break;
        case SettingsKey::Text:
            key.set(QString::fromStdString(
                file.ReadString(section, key.name, current.toString().toStdString())));
            break;
        }
    }
}

void WriteKeys(SettingsStore& file, const char* section, const std::vector<SettingsKey>& keys)
{
    for (const SettingsKey& key : keys) {
        const QVariant value = key.get();
        switch (key.form) {
        case SettingsKey::Boolean:
            file.WriteBool(section, key.name, value.toBool());
            break;
        case SettingsKey::Integer:
            file.WriteInteger(section, key.name, value.toInt());
            break;
        case SettingsKey::Text:
            file.WriteString(section, key.name, value.toString().toStdString());
            break;
        }
    }
}

// A face name as the font functions take it: at most 31 bytes of its Shift-JIS form, whole
// characters. The cut is counted in characters and made in the name itself, so that a letter
// without a Shift-JIS form (one "?" byte there) is kept as it is.
QString CutFaceName(const QString& name)
{
    std::string bytes;
    QtShiftJis::Encode(name, bytes);
    const std::size_t kept = ShiftJis::WholeCharactersPrefix(bytes, MaxFaceNameBytes);
    if (kept == bytes.size())
        return name;
    qsizetype characters = 0;
    for ([[maybe_unused]] const ShiftJis::Character& c :
         ShiftJis::Characters(std::string_view(bytes).substr(0, kept)))
        ++characters;
    qsizetype end = 0;
    for (; characters > 0 && end < name.size(); --characters)
        end += name.at(end).isHighSurrogate() && end + 1 < name.size() ? 2 : 1;
    return name.left(end);
}

// A colour in the settings file's encoding: 0x00BBGGRR, or 0x80000000 plus the index of one of
// the system's colours, which is taken from the nearest role of the palette.
QColor ColorOf(std::int32_t value, const QPalette& palette)
{
    const auto bits = static_cast<std::uint32_t>(value);
    if ((bits & 0xFF000000u) == 0)
        return QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                      static_cast<int>((bits >> 16) & 0xFF));
    static const std::map<std::uint32_t, QPalette::ColorRole> systemColors = {
        {1, QPalette::Window},      {4, QPalette::Window},       {5, QPalette::Base},
        {7, QPalette::WindowText},  {8, QPalette::WindowText},   {9, QPalette::HighlightedText},
        {12, QPalette::Window},     {13, QPalette::Highlight},   {14, QPalette::HighlightedText},
        {15, QPalette::Button},     {16, QPalette::Dark},        {17, QPalette::PlaceholderText},
        {18, QPalette::ButtonText}, {20, QPalette::Light},       {21, QPalette::Shadow},
        {22, QPalette::Midlight},   {23, QPalette::ToolTipText}, {24, QPalette::ToolTipBase},
        {26, QPalette::Link},
    };
    const auto role = systemColors.find(bits & 0x00FFFFFFu);
    return palette.color(role != systemColors.end() ? role->second : QPalette::WindowText);
}

// The point moved onto the screen nearest to it, so that a window placed there fits if it can.
QPoint OntoNearestScreen(const QPoint& point, const QSize& size)
{
    if (QGuiApplication::screenAt(point) != nullptr || QGuiApplication::screens().isEmpty())
        return point;
    const auto distance = [&point](const QRect& area) {
        const int dx = std::max({area.left() - point.x(), 0, point.x() - area.right()});
        const int dy = std::max({area.top() - point.y(), 0, point.y() - area.bottom()});
        return static_cast<qint64>(dx) * dx + static_cast<qint64>(dy) * dy;
    };
    QRect nearest = QGuiApplication::screens().constFirst()->availableGeometry();
    for (const QScreen* screen : QGuiApplication::screens())
        if (distance(screen->availableGeometry()) < distance(nearest))
            nearest = screen->availableGeometry();
    return {std::clamp(point.x(), nearest.left(),
                       std::max(nearest.left(), nearest.right() - size.width())),
            std::clamp(point.y(), nearest.top(),
                       std::max(nearest.top(), nearest.bottom() - size.height()))};
}

} // namespace

std::string WindowSettingsFileName()
{
    return SettingsFileOverride().value_or(SettingsFileName());
}

void SetWindowSettingsFileName(std::string path)
{
    SettingsFileOverride() = std::move(path);
}

namespace {

SettingsKey CheckKey(const char* name, QAction* item, std::function<void()> apply = {})
{
    return {name, SettingsKey::Boolean, [item] { return QVariant(item->isChecked()); },
            [item, apply](const QVariant& value) {
                item->setChecked(value.toBool());
                if (apply)
                    apply();
            }};
}

} // namespace

std::vector<SettingsKey> TForm1::SettingKeys()
{
    const auto handler = [this](void (TForm1::*click)()) {
        return [this, click] { (this->*click)(); };
    };
    return {
        CheckKey(CountSettingKeys::CountSpace, ui->SpaceItem),
        CheckKey(CountSettingKeys::CountTab, ui->TabItem),
        CheckKey(CountSettingKeys::CountDoubleByteSpace, ui->DoubleByteSpaceItem),
        CheckKey("AutoRenewInfo", ui->AutoRenewInfoItem),
        CheckKey("WordWrap", ui->WordWrapItem, handler(&TForm1::WordWrapItemClick)),
        CheckKey("LineNum", ui->ShowLineNumItem, handler(&TForm1::ShowLineNumItemClick)),
        CheckKey("LineInfo", ui->LineInfoItem, handler(&TForm1::LineInfoItemClick)),
        CheckKey("CursorPos", ui->CursorPosInfoItem, handler(&TForm1::CursorPosInfoItemClick)),
        CheckKey(CountSettingKeys::LogicalLines, ui->LogicalLineItem,
                 [this] { ui->AppearanceLineItem->setChecked(!ui->LogicalLineItem->isChecked()); }),
        {"LineSpace", SettingsKey::Integer, [this] { return QVariant(LineInfo1()->LineSpace()); },
         [this](const QVariant& value) { LineInfo1()->SetLineSpace(value.toInt()); }},
        CheckKey(CountSettingKeys::ExcludeRuby, ui->ExcludeRubyItem),
    };
}

// The editor's font. The character set and a colour of the system's palette have no place in a
// QFont; they are kept as read and written back unchanged.
std::vector<SettingsKey> TForm1::FontKeys()
{
    const auto font = [this] { return Editor()->font(); };
    const auto change = [this](const std::function<void(QFont&)>& edit) {
        QFont changed = Editor()->font();
        edit(changed);
        Editor()->setFont(changed);
    };
    const auto style = [font, change](const char* name, bool (QFont::*is)() const,
                                      void (QFont::*setTo)(bool)) {
        return SettingsKey{name, SettingsKey::Boolean, [font, is] { return (font().*is)(); },
                           [change, setTo](const QVariant& value) {
                               change([&](QFont& f) { (f.*setTo)(value.toBool()); });
                           }};
    };
    return {
        {"Charset", SettingsKey::Integer, [this] { return QVariant(FStoredFont.charset); },
         [this](const QVariant& value) { FStoredFont.charset = value.toInt(); }},
        {"Color", SettingsKey::Integer, [this] { return QVariant(FStoredFont.color); },
         [this](const QVariant& value) {
             FStoredFont.color = value.toInt();
             ApplyFontColor();
         }},
        {"Name", SettingsKey::Text, [font] { return QVariant(font().family()); },
         [change](const QVariant& value) {
             change([&](QFont& f) { f.setFamily(CutFaceName(value.toString())); });
         }},
        {"Pitch", SettingsKey::Integer,
         [this, font] {
             // A font chosen in the font dialog asks for no pitch; a fixed one read stays fixed.
             return QVariant(font().fixedPitch()      ? 2
                             : FStoredFont.pitch == 2 ? 0
                                                      : FStoredFont.pitch);
         },
         [this, change](const QVariant& value) {
             FStoredFont.pitch = value.toInt();
             change([&](QFont& f) { f.setFixedPitch(FStoredFont.pitch == 2); });
         }},
        {"Size", SettingsKey::Integer, [font] { return QVariant(font().pointSize()); },
         [change](const QVariant& value) {
             if (const int points = value.toInt(); points >= MinPointSize && points <= MaxPointSize)
                 change([&](QFont& f) { f.setPointSize(points); });
         }},
        style("Style Bold", &QFont::bold, &QFont::setBold),
        style("Style Italic", &QFont::italic, &QFont::setItalic),
        style("Style Underline", &QFont::underline, &QFont::setUnderline),
        style("Style Strikeout", &QFont::strikeOut, &QFont::setStrikeOut),
    };
}

// The window's place: the two switches, then where and how large the window was at close. The
// values read are collected in `stored` and applied by PlaceWindow once the switches are known.
std::vector<SettingsKey> TForm1::WindowKeys(QRect& stored)
{
    const auto number = [](const char* name, std::function<int()> get,
                           std::function<void(int)> set) {
        return SettingsKey{name, SettingsKey::Integer, [get] { return QVariant(get()); },
                           [set](const QVariant& value) { set(value.toInt()); }};
    };
    return {
        CheckKey("SavePosition", ui->SavePositionItem),
        CheckKey("SaveSize", ui->SaveSizeItem),
        number(
            "Left", [this] { return x(); }, [&stored](int value) { stored.moveLeft(value); }),
        number(
            "Top", [this] { return y(); }, [&stored](int value) { stored.moveTop(value); }),
        number(
            "Width", [this] { return width(); }, [&stored](int value) { stored.setWidth(value); }),
        number(
            "Height", [this] { return height(); },
            [&stored](int value) { stored.setHeight(value); }),
    };
}

void TForm1::LoadSettings()
{
    TIniFile file(FSettingsFileName);
    if (!file.Exists())
        AskFirstStart();
    ReadKeys(file, SettingSection, SettingKeys());
    ReadKeys(file, FontSection, FontKeys());
    FPaper.ReadSettings(file);
    ReadPreviewSettings(FPreviewSettings, file);
    ReadCheckSwitches(FCheckSwitches, file);
    if (ReadWordSettings(FWordCharacters, file))
        MessageBoxes::ShowNotice(this, QString::fromUtf8(WordCharacterSet::RemovalCaption),
                                 QString::fromUtf8(WordCharacterSet::RemovalMessage));
    FHistory->ReadSettings(file);
    ReadLastFiles(file);
    ReadChapterSettings(file);
    QRect stored = geometry();
    ReadKeys(file, WindowSection, WindowKeys(stored));
    PlaceWindow(stored);
    FFindBar->ReadSettings(file);
    Editor()->SetZoom(file.ReadInteger(EditorSection, "Zoom", 0));
    ReadDockSettings(file);
    SettingsSnapshot read;
    WriteSettingsTo(read);
    FSettingsWritten = read.AsHeldBy(file);
}

// The whole file is made in memory and written in one step, so a refused write leaves the old
// file as it was; the error keeps the window open.
void TForm1::SaveSettings(bool onlyIfChanged)
{
    SettingsSnapshot now;
    WriteSettingsTo(now);
    if (onlyIfChanged && !now.DiffersFrom(FSettingsWritten))
        return;
    TIniFile file(FSettingsFileName);
    now.WriteChangesTo(file, FSettingsWritten);
    file.UpdateFile();
    FSettingsWritten = std::move(now);
}

// Every key of the window in the file's order.
void TForm1::WriteSettingsTo(SettingsStore& file)
{
    WriteKeys(file, SettingSection, SettingKeys());
    WriteKeys(file, FontSection, FontKeys());
    FPaper.WriteSettings(file);
    WriteWordSettings(FWordCharacters, file);
    FHistory->WriteSettings(file);
    WriteLastFiles(file);
    QRect unused;
    WriteKeys(file, WindowSection, WindowKeys(unused));
    WriteDockSettings(file);
    WritePreviewSettings(FPreviewSettings, file); // after the sections of the original file
    WriteCheckSwitches(FCheckSwitches, file);
    WriteChapterSettings(file);
    FFindBar->WriteSettings(file);
    file.WriteInteger(EditorSection, "Zoom", Editor()->Zoom());
}

// The docks beside the editor as the writer left them: the check list open or not, and the
// places and sizes of both (the window's own record of its docks, kept as Base64).
void TForm1::ReadDockSettings(SettingsStore& file)
{
    if (file.ReadBool(WindowSection, "CheckList", false)) {
        MakeManuscriptCheck();
        FManuscriptCheck->show();
    }
    const QByteArray docks = QByteArray::fromBase64(
        QByteArray::fromStdString(file.ReadString(WindowSection, "Docks", {})));
    if (!docks.isEmpty())
        restoreState(docks);
}

void TForm1::WriteDockSettings(SettingsStore& file)
{
    file.WriteBool(WindowSection, "CheckList",
                   FManuscriptCheck != nullptr && !FManuscriptCheck->isHidden());
    file.WriteString(WindowSection, "Docks", saveState().toBase64().toStdString());
}

void TForm1::ApplyFontColor()
{
    QPalette palette = Editor()->palette();
    palette.setColor(QPalette::Text, ColorOf(FStoredFont.color, palette));
    Editor()->setPalette(palette);
}

// Restores the stored size and place when the writer asked for them; a size the window cannot
// take or the screen cannot show, or a place on no screen, is brought within reach.
void TForm1::PlaceWindow(const QRect& stored)
{
    if (ui->SaveSizeItem->isChecked()) {
        const QScreen* screen = QGuiApplication::screenAt(stored.topLeft());
        const QSize most = (screen ? screen : this->screen())->availableGeometry().size();
        const QSize least = minimumSizeHint().expandedTo(minimumSize()).boundedTo(most);
        resize(stored.size().expandedTo(least).boundedTo(most));
    }
    if (ui->SavePositionItem->isChecked())
        move(OntoNearestScreen(stored.topLeft(), size()));
}

void TForm1::AskFirstStart()
{
    QMessageBox question(
        QMessageBox::Information,
        QStringLiteral(u"Kotonami (このメッセージは初めて起動したときのみに表示されます)"),
        QStringLiteral(u"Kotonamiをダウンロードしていただきありがとうございます。\n\n"
                       u"「送る」 に Kotonamiを登録しますか？\n"
                       u"(後から登録することもできます)\n\n"),
        QMessageBox::Yes | QMessageBox::No, this);
    question.button(QMessageBox::Yes)->setText(QStringLiteral(u"はい(&Y)"));
    question.button(QMessageBox::No)->setText(QStringLiteral(u"いいえ(&N)"));
    // Wide enough for the whole caption in the title bar: the box alone would size to its text.
    auto* grid = qobject_cast<QGridLayout*>(question.layout());
    if (grid != nullptr) {
        const int captionWidth = question.fontMetrics().horizontalAdvance(question.windowTitle());
        grid->addItem(new QSpacerItem(captionWidth + 120, 0, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    if (question.exec() == QMessageBox::Yes)
        RegisterSendTo();
}

// A change of settings reaches the file a short while later, so that a crash keeps it. Any
// command of the menus may change one (a check mark, a dialog, the history): after each, the
// window's settings are compared with what it last wrote, and the file is written only when one
// changed.
void TForm1::KeepSettingsAsTheyChange()
{
    auto* wait = new QTimer(this);
    wait->setSingleShot(true);
    wait->setInterval(2000);
    connect(wait, &QTimer::timeout, this, &TForm1::SaveSettingsQuietly);
    for (const QAction* item : menuBar()->actions())
        if (QMenu* menu = item->menu())
            connect(menu, &QMenu::triggered, wait, qOverload<>(&QTimer::start));
}

// Between the writer's commands a failure is a notice, not a box: the write at exit reports it.
void TForm1::SaveSettingsQuietly()
{
    try {
        SaveSettings(true);
    } catch (const std::exception& error) {
        statusBar()->showMessage(QString::fromUtf8(error.what()), 10000);
    }
}
