#include "platform/printer/qt/PrintPreview.h"

#include "platform/dialogs/Dialogs.h"
#include "platform/folders/VerifiedFile.h"
#include "platform/printer/qt/PaintPrinter.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

namespace kvl {

PrintPreview::PrintPreview(const QString& title, PdfDrawing draw, QWidget* parent)
    : QDialog(parent), title_(title), draw_(std::move(draw)),
      previewPrinter_(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setWindowTitle(title);
    previewPrinter_->setPageSize(QPageSize(QPageSize::Letter));
    preview = new QPrintPreviewWidget(previewPrinter_.get(), this);
    connect(preview, &QPrintPreviewWidget::paintRequested, this, &PrintPreview::DrawPreview);

    cmdPrint = new QPushButton("Print...", this);
    cmdSavePdf = new QPushButton("Save as PDF...", this);
    cmdClose = new QPushButton("Close", this);
    cmdPrint->setEnabled(!QPrinterInfo::availablePrinters().isEmpty());
    connect(cmdPrint, &QPushButton::clicked, this, [this] {
        if (PrintOnPrinter())
            accept();
    });
    connect(cmdSavePdf, &QPushButton::clicked, this, [this] {
        if (SaveAsPdf())
            accept();
    });
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdPrint);
    buttons->addWidget(cmdSavePdf);
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(preview, 1);
    layout->addLayout(buttons);
    resize(900, 760);
    preview->updatePreview();
}

PrintPreview::~PrintPreview() = default;

int PrintPreview::PageCount() const
{
    return preview->pageCount();
}

QString PrintPreview::ProposedPdfName(const QString& title)
{
    QString name = title.trimmed();
    name.replace(QLatin1Char('/'), QLatin1Char('-'));
    return (name.isEmpty() ? QStringLiteral("Report") : name) + QStringLiteral(".pdf");
}

void PrintPreview::DrawPreview(QPrinter* printer)
{
    PaintPrinter surface(*printer);
    draw_(surface);
}

bool PrintPreview::SaveAsPdf()
{
    FileDialogRequest request;
    request.fileName = ProposedPdfName(title_);
    request.filter = QStringLiteral("PDF files|*.pdf");
    const QString path = CurrentDialogs().SaveFile(request);
    if (path.isEmpty())
        return false;
    VerifiedFile file(path);
    return SavePdfOrSay(file, title_, draw_);
}

bool PrintPreview::PrintOnPrinter()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setDocName(title_);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    PaintPrinter surface(printer);
    return draw_(surface);
}

} // namespace kvl
