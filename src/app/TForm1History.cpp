// The recent-file history: the File menu's "履歴" lists the files last opened or saved under a
// new name, the most recent first; choosing one opens it again.

#include "TForm1.h"
#include "ui_TForm1.h"

#include "app/CommandGuard.h"
#include "dialogs/FieldConversion.h"
#include "dialogs/MessageBoxes.h"
#include "dialogs/THistoryForm.h"

#include <QFile>

#include <exception>

namespace {

// An entry keeps its path's bytes; two paths are the same entry only when every byte is equal.
std::string PathOf(const QAction* entry)
{
    return entry->data().toByteArray().toStdString();
}

} // namespace

void TForm1::ConnectHistoryActions()
{
    ConnectCommand(ui->HistoryItem, &QMenu::triggered, this, &TForm1::HistoryEntryClick);
    ConnectCommand(ui->HistorySettingItem, &QAction::triggered, this,
                   &TForm1::HistorySettingItemClick);
}

void TForm1::AppendHistoryEntry(const std::string& path)
{
    ui->HistoryItem->addAction(MakeHistoryEntry(path));
}

// The caption is the whole path as it is; "&" is doubled so that it shows instead of marking a
// shortcut letter.
QAction* TForm1::MakeHistoryEntry(const std::string& path)
{
    const QByteArray bytes = QByteArray::fromStdString(path);
    auto* entry =
        new QAction(QFile::decodeName(bytes).replace(u'&', QStringLiteral("&&")), ui->HistoryItem);
    entry->setData(bytes);
    return entry;
}

std::vector<std::string> TForm1::HistoryEntries() const
{
    std::vector<std::string> paths;
    for (const QAction* entry : ui->HistoryItem->actions())
        paths.push_back(PathOf(entry));
    return paths;
}

// The entry may be the one being chosen right now, so it goes once its signal has returned.
void TForm1::RemoveHistoryEntry(QAction* entry)
{
    ui->HistoryItem->removeAction(entry);
    entry->deleteLater();
}

void TForm1::AddHistory(const std::string& path)
{
    for (QAction* entry : ui->HistoryItem->actions())
        if (PathOf(entry) == path)
            RemoveHistoryEntry(entry);
    const QList<QAction*> entries = ui->HistoryItem->actions();
    ui->HistoryItem->insertAction(entries.isEmpty() ? nullptr : entries.constFirst(),
                                  MakeHistoryEntry(path));
    if (FHistoryMax < entries.size() + 1)
        RemoveHistoryEntry(ui->HistoryItem->actions().at(FHistoryMax));
}

void TForm1::SetHistoryMax(int n)
{
    QList<QAction*> entries = ui->HistoryItem->actions();
    while (entries.size() > n)
        RemoveHistoryEntry(entries.takeLast());
    FHistoryMax = n;
}

// A file that is gone opens nothing; the writer is asked whether its entry goes too.
void TForm1::HistoryEntryClick(QAction* entry)
{
    const std::string path = PathOf(entry);
    const QString name = QFile::decodeName(QByteArray::fromStdString(path));
    if (!QFile::exists(name)) {
        if (MessageBoxes::AskRemoveMissingEntry(this, name))
            RemoveHistoryEntry(entry);
        return;
    }
    OpenFile(path);
}

void TForm1::ClearHistory()
{
    for (QAction* entry : ui->HistoryItem->actions())
        RemoveHistoryEntry(entry);
}

void TForm1::HistorySettingItemClick()
{
    THistoryForm form(this);
    form.SetHistoryMax(FHistoryMax);
    connect(&form, &THistoryForm::ClearHistory, this, &TForm1::ClearHistory);
    if (form.exec() != QDialog::Accepted)
        return;
    const QString text = form.HistoryText();
    const auto value = FieldConversion::StrToInt(text);
    QString error;
    if (!value)
        error = FieldConversion::NotAnInteger(text);
    else if (*value < 0)
        error = QStringLiteral(u"0以上の整数を指定してください");
    if (!error.isEmpty()) {
        MessageBoxes::ShowError(
            this, error + QStringLiteral(u"\r\n\r\n履歴の最大数は設定できませんでした"));
        return;
    }
    SetHistoryMax(*value);
}

// Save As remembers the new name even when writing then fails; a save the writer called off at
// a question does not.
bool TForm1::SaveAsAndAddHistory(int index, const std::string& path)
{
    bool saved = false;
    try {
        saved = SaveDocument(index);
    } catch (const std::exception&) {
        AddHistory(path);
        throw;
    }
    if (saved)
        AddHistory(path);
    return saved;
}
