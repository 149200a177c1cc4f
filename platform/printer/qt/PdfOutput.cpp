#include "platform/printer/qt/PdfOutput.h"

#include "platform/dialogs/Dialogs.h"
#include "platform/printer/qt/PaintPrinter.h"

#include <QPdfWriter>
#include <QSaveFile>

namespace kvl {

namespace {

// Passes the writer's bytes on and remembers the first write that fails, which
// QPdfWriter itself does not report.
class CheckedDevice : public QIODevice {
public:
    explicit CheckedDevice(QIODevice& target) : target_(target) { open(QIODevice::WriteOnly); }
    bool Failed() const { return failed_; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override
    {
        if (failed_)
            return -1;
        if (target_.write(data, length) != length) {
            failed_ = true;
            setErrorString(target_.errorString());
            return -1;
        }
        return length;
    }

private:
    QIODevice& target_;
    bool failed_ = false;
};

} // namespace

PdfResult WritePdf(QIODevice& out, const QString& title, const PdfDrawing& draw, QString* error)
{
    CheckedDevice checked(out);
    bool drawn = false;
    {
        QPdfWriter writer(&checked);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("KVL"));
        PaintPrinter printer(writer);
        drawn = draw(printer);
        if (printer.Started())  // a drawing that did not end its document
            printer.EndDoc();
    }
    if (!drawn)
        return PdfResult::DrawingFailed;
    if (checked.Failed()) {
        if (error)
            *error = checked.errorString().isEmpty() ? QStringLiteral("The file could not be written.")
                                                     : checked.errorString();
        return PdfResult::WriteFailed;
    }
    return checked.pos() > 0 ? PdfResult::Written : PdfResult::NothingDrawn;
}

PdfResult SavePdf(QSaveFile& file, const QString& title, const PdfDrawing& draw, QString* error)
{
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return PdfResult::WriteFailed;
    }
    const PdfResult result = WritePdf(file, title, draw, error);
    if (result != PdfResult::Written) {
        file.cancelWriting();  // the save file then drops its temporary file
        return result;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return PdfResult::WriteFailed;
    }
    return PdfResult::Written;
}

PdfResult SavePdf(const QString& path, const QString& title, const PdfDrawing& draw, QString* error)
{
    QSaveFile file(path);
    return SavePdf(file, title, draw, error);
}

} // namespace kvl

namespace kvl {

bool SavePdfOrSay(QSaveFile& file, const QString& title, const PdfDrawing& draw)
{
    QString error;
    const PdfResult result = SavePdf(file, title, draw, &error);
    if (result == PdfResult::WriteFailed)
        MsgBox("Could not save the PDF file.\n" + file.fileName() + ": " + error, MsgButtons::OK, MsgIcon::Critical,
               "Print");
    return result == PdfResult::Written;
}

} // namespace kvl
