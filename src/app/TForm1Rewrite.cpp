// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The commands that rewrite the shown document into a new tab: the half-width to double-byte
// conversions (and, through PutTextInNewTab, the manuscript output).

#include "TForm1.h"
#include "ui_TForm1.h"

#include "app/DocumentTabs.h"
#include "app/RecoveryKeeper.h"

#include "controls/TRichEditEx.h"
#include "paper/DoubleByteConversion.h"

void TForm1::ToDoubleBytesClick()
{
    PutTextInNewTab(ConvertToDoubleBytes);
}

void TForm1::TokanaItemClick()
{
    PutTextInNewTab(ConvertKanaToDoubleBytes);
}

// Opens a new tab and puts the rewritten text of the previously shown document into it; the source
// stays as it was, and the new tab takes its encoding. An empty source leaves the new tab empty.
// The rewritten text exists nowhere on disk, so the tab is marked modified, closing it asks before
// the text is lost, and its recovery file is written at once rather than after the usual delay.
void TForm1::PutTextInNewTab(const std::function<std::string(std::string_view)>& rewrite)
{
    const QString sourceText = Editor()->document()->toRawText();
    const Document* shown = FTabs->FrontDocument();
    Document sourceDocument; // only the source's encoding is needed, not its text
    if (shown) {
        sourceDocument.Encoding = shown->Encoding;
        sourceDocument.FileLineBreak = shown->FileLineBreak;
        sourceDocument.FileEndsWithBreak = shown->FileEndsWithBreak;
    }
    const std::string source = OpenTextInNewTab();
    if (source.empty())
        return;
    PutRewrittenText(rewrite(source), sourceText, sourceDocument);
    Editor()->SetModified(true); // the new tab's
    ShowModifiedMark();
    FRecovery->WriteChanged();
}
