#include "platform/printer/Printer.h"

namespace kvl {

double Printer::InchesPerUnitX() const
{
    return PrintableArea(orientation_).width() / scaleWidth_;
}

double Printer::InchesPerUnitY() const
{
    return PrintableArea(orientation_).height() / scaleHeight_;
}

QPointF Printer::ToInches(double x, double y) const
{
    return {x * InchesPerUnitX(), y * InchesPerUnitY()};
}

double Printer::TextWidth(const QString& text) const
{
    return text.isEmpty() ? 0.0 : MeasureText(text, font_) / InchesPerUnitX();
}

double Printer::TextHeight() const
{
    return LineHeight(font_) / InchesPerUnitY();
}

void Printer::EnsureStarted()
{
    if (started_)
        return;
    BeginDocument(orientation_);
    started_ = true;
    page_ = 1;
}

void Printer::Print(const QString& text, bool endLine)
{
    if (!text.isEmpty()) {
        EnsureStarted();
        DrawText(ToInches(x_, y_), text, font_, foreColor_);
        x_ += TextWidth(text);
    }
    if (endLine) {
        x_ = 0;
        y_ += TextHeight();
    }
}

void Printer::Line(double x1, double y1, double x2, double y2, quint32 color)
{
    EnsureStarted();
    DrawLine(ToInches(x1, y1), ToInches(x2, y2), drawWidth_, drawStyle_, color);
    x_ = x2;
    y_ = y2;
}

void Printer::NewPage()
{
    EnsureStarted();
    StartPage();
    ++page_;
    x_ = 0;
    y_ = 0;
}

void Printer::CloseDocument()
{
    started_ = false;
    page_ = 1;
    x_ = 0;
    y_ = 0;
}

void Printer::EndDoc()
{
    if (!started_)
        return;
    FinishDocument();
    CloseDocument();
}

void Printer::AbortDoc()
{
    if (!started_)
        return;
    CancelDocument();
    CloseDocument();
}

} // namespace kvl
