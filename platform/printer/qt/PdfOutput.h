#pragma once
// Writing a drawing to a PDF: US Letter, the reports' scales mapped inside the margins
// of PaintPrinter. A file is written through a verified file beside it and put in place
// at the end, so a failed write leaves no half PDF and the old file as it was.

#include "platform/printer/Printer.h"

#include <QString>

#include <functional>

namespace kvl {

class VerifiedFile;

// Draws on the printer it is handed; false when the drawing failed (it has aborted
// its document and said so).
using PdfDrawing = std::function<bool(Printer&)>;

enum class PdfResult { Written, NothingDrawn, DrawingFailed, WriteFailed };

// Saves the PDF at path; only Written changes the file. On WriteFailed, *error holds
// the reason.
PdfResult SavePdf(const QString& path, const QString& title, const PdfDrawing& draw, QString* error);
// The same into a verified file not yet opened (tests hand one whose writes fail).
PdfResult SavePdf(VerifiedFile& file, const QString& title, const PdfDrawing& draw, QString* error);
// SavePdf that tells the user when the file could not be written: "Could not save the
// PDF file." with the path and the reason on a second line. True when written.
bool SavePdfOrSay(VerifiedFile& file, const QString& title, const PdfDrawing& draw);

} // namespace kvl
