// The analyses that the window itself runs, and the display of their reports.

#include "TForm1.h"
#include "ui_TForm1.h"

#include "analysis/AllDocuments.h"
#include "analysis/Cp932Codec.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include <string_view>
#include <vector>

// Counts over every open document, the shown one as the editor holds it now.
void TForm1::K1Click()
{
    StoreCurrentDocument();
    std::vector<std::string> texts;
    for (const Document* document = FDocuments.First(); document; document = FDocuments.Next())
        texts.push_back(document->GetText());
    const std::vector<std::string_view> views(texts.begin(), texts.end());
    ShowReport(MakeAllDocumentsReport(SumStatistics(views, CurrentCountOptions(), FWordCharacters)));
}

void TForm1::ShowReport(const std::string& shiftJisReport)
{
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("ReportDialog"));
    dialog.setWindowTitle(QStringLiteral("Kotonami"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* label = new QLabel(
        QString::fromStdString(Cp932::DecodeToUtf8(shiftJisReport, Cp932::LineBreaks::Convert)),
        &dialog);
    label->setObjectName(QStringLiteral("ReportText"));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(label);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    dialog.exec();
}
