#include "platform/printer/qt/PdfOutput.h"

#include "platform/dialogs/Dialogs.h"
#include "platform/folders/VerifiedFile.h"
#include "platform/printer/qt/PaintPrinter.h"

#include <QPdfWriter>

namespace kvl {

namespace {

// Draws the PDF into the open file; the file remembers a write that failed, which
// QPdfWriter itself does not report.
PdfResult WritePdf(VerifiedFile& out, const QString& title, const PdfDrawing& draw)
{
    bool drawn = false;
    {
        QPdfWriter writer(&out);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("KVL"));
        PaintPrinter printer(writer);
        drawn = draw(printer);
        if (printer.Started())  // a drawing that did not end its document
            printer.EndDoc();
    }
    if (!drawn)
        return PdfResult::DrawingFailed;
    if (out.Failed())
        return PdfResult::WriteFailed;
    return out.pos() > 0 ? PdfResult::Written : PdfResult::NothingDrawn;
}

} // namespace

PdfResult SavePdf(VerifiedFile& file, const QString& title, const PdfDrawing& draw, QString* error)
{
    PdfResult result = file.Open() ? WritePdf(file, title, draw) : PdfResult::WriteFailed;
    if (result == PdfResult::Written && !file.Commit())
        result = PdfResult::WriteFailed;
    if (result != PdfResult::Written)
        file.Cancel();
    if (result == PdfResult::WriteFailed && error)
        *error = file.errorString();
    return result;
}

PdfResult SavePdf(const QString& path, const QString& title, const PdfDrawing& draw, QString* error)
{
    VerifiedFile file(path);
    return SavePdf(file, title, draw, error);
}

bool SavePdfOrSay(VerifiedFile& file, const QString& title, const PdfDrawing& draw)
{
    QString error;
    const PdfResult result = SavePdf(file, title, draw, &error);
    if (result == PdfResult::WriteFailed)
        MsgBox("Could not save the PDF file.\n" + file.FileName() + ": " + error, MsgButtons::OK, MsgIcon::Critical,
               "Print");
    return result == PdfResult::Written;
}

} // namespace kvl
