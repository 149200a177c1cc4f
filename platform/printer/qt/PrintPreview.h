#pragma once
// The print preview window: the report's pages at their real size, with "Print..."
// (the system's print dialog, then the report is printed there), "Save as PDF..." (a
// Save As through the dialog seam) and "Close". Closing without printing or saving
// prints nothing and says nothing. "Print..." is disabled when no printer is installed.
// The window fits the screen's free area; Save as PDF starts in the user's documents
// folder (or home), or in the folder the last PDF of the session went to.
// The preview draws by calling the drawing on the preview's own printer, so one drawing
// serves screen, paper and PDF.

#include "platform/printer/qt/PdfOutput.h"

#include <QDialog>

#include <memory>

class QPrintPreviewWidget;
class QPrinter;
class QPushButton;

namespace kvl {

class PrintPreview : public QDialog {
    Q_OBJECT
public:
    PrintPreview(const QString& title, PdfDrawing draw, QWidget* parent = nullptr);
    ~PrintPreview() override;

    QPrintPreviewWidget* preview = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdSavePdf = nullptr;
    QPushButton* cmdClose = nullptr;

    // The pages the preview shows.
    int PageCount() const;
    // Asks for a file name and writes the PDF there; true when written.
    bool SaveAsPdf();
    // Shows the system's print dialog and prints there; true when printed.
    bool PrintOnPrinter();

    // The file name proposed for a PDF of a report of this title.
    static QString ProposedPdfName(const QString& title);
    // The folder Save as PDF starts in: the one last saved to, else the user's documents
    // (the home folder when it has none).
    static QString PdfFolder();
    // The window's size on a screen with this free area: as designed, or smaller so the
    // whole window, buttons included, stays on the screen.
    static QSize FittedSize(const QSize& available);

private:
    void DrawPreview(QPrinter* printer);

    QString title_;
    PdfDrawing draw_;
    std::unique_ptr<QPrinter> previewPrinter_;
};

} // namespace kvl
