#include "platform/printer/qt/PaintPrinter.h"

#include <QColor>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPen>
#include <QPrinter>

#include <stdexcept>

namespace kvl {

namespace {

QColor ToQColor(quint32 color)
{
    return QColor(int(color & 0xFF), int(color >> 8 & 0xFF), int(color >> 16 & 0xFF));
}

QPageLayout::Orientation ToQt(PrintOrientation orientation)
{
    return orientation == PrintOrientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

} // namespace

PaintPrinter::PaintPrinter(QPagedPaintDevice& device) : device_(device)
{
    device_.setPageSize(QPageSize(QPageSize::Letter));
}

PaintPrinter::~PaintPrinter()
{
    if (painter_.isActive())
        painter_.end();
}

QString PaintPrinter::FaceName()
{
    return QStringLiteral("DejaVu Sans");
}

double PaintPrinter::Dpi() const
{
    return device_.logicalDpiX();
}

QFont PaintPrinter::ToQFont(const PrintFont& font) const
{
    QFont f(FaceName());
    f.setPointSizeF(font.size);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setKerning(false);
    return f;
}

QSizeF PaintPrinter::PrintableArea(PrintOrientation orientation) const
{
    QPageLayout layout = device_.pageLayout();
    layout.setOrientation(ToQt(orientation));
    return layout.paintRect(QPageLayout::Inch).size();
}

double PaintPrinter::MeasureText(const QString& text, const PrintFont& font) const
{
    return QFontMetricsF(ToQFont(font), &device_).horizontalAdvance(text) / Dpi();
}

double PaintPrinter::LineHeight(const PrintFont& font) const
{
    return QFontMetricsF(ToQFont(font), &device_).height() / Dpi();
}

void PaintPrinter::SetUpPage(PrintOrientation orientation) const
{
    device_.setPageOrientation(ToQt(orientation));
}

void PaintPrinter::BeginDocument(PrintOrientation orientation)
{
    SetUpPage(orientation);
    if (!painter_.begin(&device_))
        throw std::runtime_error("The printer could not start the document.");
}

void PaintPrinter::DrawText(QPointF at, const QString& text, const PrintFont& font, quint32 color)
{
    const QFont f = ToQFont(font);
    painter_.setFont(f);
    painter_.setPen(ToQColor(color));
    const double ascent = QFontMetricsF(f, &device_).ascent();
    painter_.drawText(QPointF(at.x() * Dpi(), at.y() * Dpi() + ascent), text);
}

void PaintPrinter::DrawLine(QPointF from, QPointF to, int width, PenStyle style, quint32 color)
{
    QPen pen(ToQColor(color), width * Dpi() / 600.0);
    pen.setStyle(style == PenStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
    painter_.setPen(pen);
    painter_.drawLine(from * Dpi(), to * Dpi());
}

void PaintPrinter::StartPage()
{
    if (!device_.newPage())
        throw std::runtime_error("The printer could not start a new page.");
}

void PaintPrinter::FinishDocument()
{
    if (!painter_.end())
        throw std::runtime_error("The printer could not finish the document.");
}

void PaintPrinter::CancelDocument()
{
    if (auto* printer = dynamic_cast<QPrinter*>(&device_))
        printer->abort();
    if (painter_.isActive())
        painter_.end();
}

} // namespace kvl
