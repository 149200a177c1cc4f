#include "platform/printer/qt/PrintPreview.h"

#include "platform/dialogs/Dialogs.h"
#include "platform/folders/VerifiedFile.h"
#include "platform/printer/qt/PaintPrinter.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPrintDialog>
#include <QGraphicsView>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace kvl {

namespace {

// The folder of the last PDF saved in this session; empty before the first.
QString& LastPdfFolder()
{
    static QString folder;
    return folder;
}

} // namespace

PrintPreview::PrintPreview(const QString& title, PdfDrawing draw, QWidget* parent)
    : QDialog(parent), title_(title), draw_(std::move(draw)),
      previewPrinter_(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setWindowTitle(title);
    previewPrinter_->setPageSize(QPageSize(QPageSize::Letter));
    preview = new QPrintPreviewWidget(previewPrinter_.get(), this);
    connect(preview, &QPrintPreviewWidget::paintRequested, this, &PrintPreview::DrawPreview);
    if (auto* pages = preview->findChild<QGraphicsView*>())   // the preview's one Tab stop
        pages->setAccessibleName(QStringLiteral("Pages"));

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
    resize(FittedSize(screen() ? screen()->availableGeometry().size() : QSize()));
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

QSize PrintPreview::FittedSize(const QSize& available)
{
    const QSize designed(900, 760);
    if (!available.isValid())
        return designed;
    // Room for the window's frame and title bar, which the size does not count.
    return designed.boundedTo(available - QSize(40, 80));
}

QString PrintPreview::PdfFolder()
{
    if (!LastPdfFolder().isEmpty())
        return LastPdfFolder();
    // A home without a documents folder starts in the home itself, never the working folder.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).exists() ? documents : QDir::homePath();
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
    request.folder = PdfFolder();
    const QString path = CurrentDialogs().SaveFile(request);
    if (path.isEmpty())
        return false;
    LastPdfFolder() = QFileInfo(path).absolutePath();
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
