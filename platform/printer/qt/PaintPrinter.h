#pragma once
// The printer drawn with QPainter on a paged device: a QPrinter (paper or the print
// preview) or a QPdfWriter. The page is US Letter with a margin of at least 0.25 in;
// the user scale is mapped onto the printable area inside it by hand, not through the
// painter's transform, so fonts keep their point size and pens their width (DrawWidth n is n/600 inch). Every report is
// drawn in DejaVu Sans, whatever font name it sets, with kerning off so a text is as
// wide as its characters one by one.

#include "platform/printer/Printer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>

#include <optional>

class QPagedPaintDevice;

namespace kvl {

class PaintPrinter : public Printer {
public:
    // The device must outlive the printer. Sets its page to Letter and its margins.
    explicit PaintPrinter(QPagedPaintDevice& device);
    ~PaintPrinter() override;

    // The family every report is drawn in.
    static QString FaceName();

protected:
    QSizeF PrintableArea(PrintOrientation orientation) const override;
    double MeasureText(const QString& text, const PrintFont& font) const override;
    double LineHeight(const PrintFont& font) const override;
    void BeginDocument(PrintOrientation orientation) override;
    void DrawText(QPointF at, const QString& text, const PrintFont& font, quint32 color) override;
    void DrawLine(QPointF from, QPointF to, int width, PenStyle style, quint32 color) override;
    void StartPage() override;
    void FinishDocument() override;
    void CancelDocument() override;

private:
    // The Qt font and its metrics on the device for the report font last asked for.
    struct DeviceFont {
        PrintFont key;
        QFont font;
        QFontMetricsF metrics;
        QHash<QChar, double> charWidths;  // device pixels; the wraps measure one character at a time
    };
    const DeviceFont& Cached(const PrintFont& font) const;
    // Texts that continue one another on a line (the wraps print one character at a
    // time) are drawn as one run: with kerning off it lands on the same places.
    struct Run {
        QPointF at;
        QString text;
        PrintFont font;
        quint32 color = 0;
        double endX = 0;
    };
    void Flush();
    QFont ToQFont(const PrintFont& font) const;
    void SetUpPage(PrintOrientation orientation) const;
    double Dpi() const;

    QPagedPaintDevice& device_;
    QPainter painter_;
    mutable std::optional<DeviceFont> font_;
    std::optional<PrintFont> painterFont_;
    std::optional<Run> run_;
};

} // namespace kvl
