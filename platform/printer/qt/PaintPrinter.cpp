#include "platform/printer/qt/PaintPrinter.h"

#include <QColor>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPen>
#include <QPrinter>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

namespace kvl {

namespace {

// The reports' scale is mapped inside this margin on every side, so a printer at actual
// size clips nothing; a printer that needs more keeps its own.
constexpr double kPageMargin = 0.25;  // inches

QColor ToQColor(quint32 color)
{
    return QColor(int(color & 0xFF), int(color >> 8 & 0xFF), int(color >> 16 & 0xFF));
}

bool SameFont(const PrintFont& a, const PrintFont& b)
{
    return a.size == b.size && a.bold == b.bold && a.italic == b.italic && a.underline == b.underline;
}

QPageLayout::Orientation ToQt(PrintOrientation orientation)
{
    return orientation == PrintOrientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

} // namespace

PaintPrinter::PaintPrinter(QPagedPaintDevice& device) : device_(device)
{
    device_.setPageSize(QPageSize(QPageSize::Letter));
    QPageLayout layout = device_.pageLayout();
    layout.setUnits(QPageLayout::Inch);
    const QMarginsF minimum = layout.minimumMargins();
    const auto side = [](double least) { return std::max(least, kPageMargin); };
    device_.setPageMargins(QMarginsF(side(minimum.left()), side(minimum.top()), side(minimum.right()),
                                     side(minimum.bottom())),
                           QPageLayout::Inch);
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

const PaintPrinter::DeviceFont& PaintPrinter::Cached(const PrintFont& font) const
{
    if (!font_ || !SameFont(font_->key, font)) {
        const QFont f = ToQFont(font);
        font_.emplace(DeviceFont{font, f, QFontMetricsF(f, &device_), {}});
    }
    return *font_;
}

QSizeF PaintPrinter::PrintableArea(PrintOrientation orientation) const
{
    QPageLayout layout = device_.pageLayout();
    layout.setOrientation(ToQt(orientation));
    return layout.paintRect(QPageLayout::Inch).size();
}

double PaintPrinter::MeasureText(const QString& text, const PrintFont& font) const
{
    const DeviceFont& f = Cached(font);
    if (text.size() != 1)
        return f.metrics.horizontalAdvance(text) / Dpi();
    auto known = f.charWidths.constFind(text[0]);
    if (known == f.charWidths.constEnd())
        known = font_->charWidths.insert(text[0], f.metrics.horizontalAdvance(text));
    return *known / Dpi();
}

double PaintPrinter::LineHeight(const PrintFont& font) const
{
    return Cached(font).metrics.height() / Dpi();
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
    painterFont_.reset();
}

void PaintPrinter::DrawText(QPointF at, const QString& text, const PrintFont& font, quint32 color)
{
    const double width = MeasureText(text, font);
    if (run_ && run_->at.y() == at.y() && SameFont(run_->font, font) && run_->color == color
        && std::abs(run_->endX - at.x()) < 1e-9) {
        run_->text += text;
        run_->endX += width;
        return;
    }
    Flush();
    run_ = Run{at, text, font, color, at.x() + width};
}

void PaintPrinter::Flush()
{
    if (!run_)
        return;
    const Run run = *std::exchange(run_, std::nullopt);
    const PrintFont& font = run.font;
    const QPointF at = run.at;
    const QString& text = run.text;
    const quint32 color = run.color;
    const DeviceFont& f = Cached(font);
    if (!painterFont_ || !SameFont(*painterFont_, font)) {
        painter_.setFont(f.font);
        painterFont_ = font;
    }
    const QColor pen = ToQColor(color);
    if (painter_.pen().color() != pen || painter_.pen().style() != Qt::SolidLine)
        painter_.setPen(pen);
    painter_.drawText(QPointF(at.x() * Dpi(), at.y() * Dpi() + f.metrics.ascent()), text);
}

void PaintPrinter::DrawLine(QPointF from, QPointF to, int width, PenStyle style, quint32 color)
{
    Flush();
    QPen pen(ToQColor(color), width * Dpi() / 600.0);
    pen.setStyle(style == PenStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
    painter_.setPen(pen);
    painter_.drawLine(from * Dpi(), to * Dpi());
}

void PaintPrinter::StartPage()
{
    Flush();
    if (!device_.newPage())
        throw std::runtime_error("The printer could not start a new page.");
}

void PaintPrinter::FinishDocument()
{
    Flush();
    if (!painter_.end())
        throw std::runtime_error("The printer could not finish the document.");
}

void PaintPrinter::CancelDocument()
{
    run_.reset();
    if (auto* printer = dynamic_cast<QPrinter*>(&device_))
        printer->abort();
    if (painter_.isActive())
        painter_.end();
}

} // namespace kvl
