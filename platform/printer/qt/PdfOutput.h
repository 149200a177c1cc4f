#pragma once
// Writing a drawing to a PDF: US Letter, the reports' scales mapped inside the margins
// of PaintPrinter. A file is written through a temporary file beside it and renamed at the
// end, so a failed write leaves no half PDF and the old file as it was.

#include "platform/printer/Printer.h"

#include <QString>

#include <functional>

class QIODevice;
class QSaveFile;

namespace kvl {

// Draws on the printer it is handed; false when the drawing failed (it has aborted
// its document and said so).
using PdfDrawing = std::function<bool(Printer&)>;

enum class PdfResult { Written, NothingDrawn, DrawingFailed, WriteFailed };

// Writes the PDF into out, which must be open for writing. On WriteFailed, *error
// holds the reason.
PdfResult WritePdf(QIODevice& out, const QString& title, const PdfDrawing& draw, QString* error);
// Saves the PDF at path; only Written changes the file.
PdfResult SavePdf(const QString& path, const QString& title, const PdfDrawing& draw, QString* error);
// The same into a save file not yet opened (tests hand one whose writes fail).
PdfResult SavePdf(QSaveFile& file, const QString& title, const PdfDrawing& draw, QString* error);
// SavePdf that tells the user when the file could not be written: "Could not save the
// PDF file." with the path and the reason on a second line. True when written.
bool SavePdfOrSay(QSaveFile& file, const QString& title, const PdfDrawing& draw);

} // namespace kvl
