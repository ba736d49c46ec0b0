// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A file whose text ends at a NUL before the file's end: the editor shows the text up to the NUL,
// says so when the file opens, and asks before a save writes the text alone over the file.

#include "TForm1.h"
#include "ui_TForm1.h"

#include <QFile>
#include <QFileInfo>
#include <QMessageBox>

namespace {

QString LocalName(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// The NUL's place as a writer counts bytes: the first byte of the file is byte 1.
qulonglong BytePlace(const NulCut& cut)
{
    return static_cast<qulonglong>(cut.at) + 1;
}

} // namespace

void TForm1::TellCutAtNul(const Document& document)
{
    if (!document.CutAtNul)
        return;
    QMessageBox::information(
        this, QStringLiteral("Kotonami"),
        QStringLiteral(u"「%1」の %2 バイト目に NUL があるため、その後ろは表示していません。")
            .arg(LocalName(document.CutAtNul->file))
            .arg(BytePlace(*document.CutAtNul)));
}

// False (nothing written) unless the writer agrees to lose what follows the NUL.
bool TForm1::ConfirmCutAtNul(int index, const Document& document)
{
    if (!document.SaveCutsAtNul())
        return true;
    const NulCut& cut = *document.CutAtNul;
    const qint64 size = QFileInfo(LocalName(cut.file)).size();
    const qint64 lost = std::max<qint64>(size - static_cast<qint64>(cut.at), 0);
    const QString text =
        QStringLiteral(u"「%1」は %2 バイト目の NUL より前だけを表示しています。\n"
                       u"保存すると、NUL から後ろの %3 バイトはファイルから失われます。"
                       u"保存しますか？")
            .arg(ui->TabControl1->tabText(index))
            .arg(BytePlace(cut))
            .arg(lost);
    return QMessageBox::warning(this, QStringLiteral("Kotonami"), text,
                                QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No) == QMessageBox::Yes;
}
