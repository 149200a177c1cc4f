#include "platform/printer/RecordingPrinter.h"

namespace kvl {

std::vector<RecordedText> RecordingPrinter::TextsOn(int page) const
{
    std::vector<RecordedText> onPage;
    for (const RecordedText& t : texts)
        if (t.page == page)
            onPage.push_back(t);
    return onPage;
}

const RecordedText* RecordingPrinter::Find(const QString& text) const
{
    for (const RecordedText& t : texts)
        if (t.text == text)
            return &t;
    return nullptr;
}

QSizeF RecordingPrinter::PrintableArea(PrintOrientation orientation) const
{
    return orientation == PrintOrientation::Landscape ? QSizeF(11, 8.5) : QSizeF(8.5, 11);
}

double RecordingPrinter::MeasureText(const QString& text, const PrintFont& font) const
{
    return text.size() * font.size / 128.0;
}

double RecordingPrinter::LineHeight(const PrintFont& font) const
{
    return font.size / 64.0;
}

void RecordingPrinter::BeginDocument(PrintOrientation orientation)
{
    texts.clear();
    lines.clear();
    pages = 1;
    documentOrientation = orientation;
    ++documents;
}

void RecordingPrinter::DrawText(QPointF at, const QString& text, const PrintFont& font, quint32 color)
{
    texts.push_back({Page(), at.x(), at.y(), text, font.size, font.bold, font.italic, font.underline, color});
}

void RecordingPrinter::DrawLine(QPointF from, QPointF to, int width, PenStyle style, quint32 color)
{
    lines.push_back({Page(), from.x(), from.y(), to.x(), to.y(), width, style, color});
}

void RecordingPrinter::StartPage()
{
    ++pages;
}

void RecordingPrinter::FinishDocument()
{
    ++ended;
}

void RecordingPrinter::CancelDocument()
{
    ++aborted;
}

} // namespace kvl
