#pragma once
// The printer the reports draw on: a user scale over the printable area of a US Letter
// page, a font, a pen colour and width, and a text cursor. The pen rules live here, so
// every backend (the recording printer of the tests, the Qt printer and PDF writer)
// moves the cursor alike:
//  - a text printed at (x, y) has its top-left corner there; without a line end the
//    cursor then stands just right of the text, with one it goes to x 0 and one line
//    of the font in force down (a bare line end does only the latter);
//  - Line leaves the cursor at its end point;
//  - every setting holds until it is changed, across NewPage too; NewPage puts the
//    cursor at (0, 0).
// The document starts with the first text, line or new page: a report that returns
// before drawing leaves no document, and EndDoc with nothing drawn sends nothing.
// AbortDoc drops a started document (nothing reaches the printer).
//
// Backends implement the protected primitives, in inches from the printable area's
// top-left corner.

#include "platform/printer/PrintSurface.h"

#include <QPointF>
#include <QSizeF>
#include <QString>

namespace kvl {

// A colour as the reports give it: red + 256 × green + 65536 × blue.
constexpr quint32 RGB(int red, int green, int blue)
{
    return quint32(red & 0xFF) | quint32(green & 0xFF) << 8 | quint32(blue & 0xFF) << 16;
}
inline constexpr quint32 kBlack = RGB(0, 0, 0);
inline constexpr quint32 kBlue = RGB(0, 0, 255);
inline constexpr quint32 kRed = RGB(255, 0, 0);

enum class PrintOrientation { Portrait = 1, Landscape = 2 };
// DrawStyle values.
enum class PenStyle { Solid = 0, Dotted = 2 };

struct PrintFont {
    QString name;
    double size = 8;    // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

class Printer : public PrintSurface {
public:
    // ScaleMode 0 is the user scale the reports set; it is kept, nothing else reads it.
    int ScaleMode() const { return scaleMode_; }
    void SetScaleMode(int mode) { scaleMode_ = mode; }
    // Units across and down the printable area.
    double ScaleWidth() const { return scaleWidth_; }
    double ScaleHeight() const { return scaleHeight_; }
    void SetScaleWidth(double width) { scaleWidth_ = width; }
    void SetScaleHeight(double height) { scaleHeight_ = height; }
    // Takes effect for a document not yet started.
    PrintOrientation Orientation() const { return orientation_; }
    void SetOrientation(PrintOrientation orientation) { orientation_ = orientation; }

    const PrintFont& Font() const { return font_; }
    QString FontName() const { return font_.name; }
    double FontSize() const { return font_.size; }
    bool FontBold() const { return font_.bold; }
    bool FontItalic() const { return font_.italic; }
    bool FontUnderline() const { return font_.underline; }
    void SetFontName(const QString& name) { font_.name = name; }
    void SetFontSize(double points) { font_.size = points; }
    void SetFontBold(bool on) { font_.bold = on; }
    void SetFontItalic(bool on) { font_.italic = on; }
    void SetFontUnderline(bool on) { font_.underline = on; }

    // The colour of texts and lines.
    quint32 ForeColor() const { return foreColor_; }
    void SetForeColor(quint32 color) { foreColor_ = color; }
    // Line width: n is n/600 inch on every device.
    int DrawWidth() const { return drawWidth_; }
    void SetDrawWidth(int width) { drawWidth_ = width; }
    PenStyle DrawStyle() const { return drawStyle_; }
    void SetDrawStyle(PenStyle style) { drawStyle_ = style; }

    double CurrentX() const override { return x_; }
    double CurrentY() const override { return y_; }
    void SetCurrentX(double x) override { x_ = x; }
    void SetCurrentY(double y) override { y_ = y; }

    // The printed width of a text in the font in force, in scale units.
    double TextWidth(const QString& text) const override;
    // The height of one line of the font in force, in scale units.
    double TextHeight() const;
    void Print(const QString& text, bool endLine) override;
    void Print(const QString& text) { Print(text, true); }
    // A bare line end.
    void NewLine() { Print(QString(), true); }
    void Line(double x1, double y1, double x2, double y2) { Line(x1, y1, x2, y2, foreColor_); }
    void Line(double x1, double y1, double x2, double y2, quint32 color);
    void NewPage();
    void EndDoc();
    void AbortDoc();

    // Whether a document is open (something was drawn since the last end).
    bool Started() const { return started_; }
    // The page being drawn, from 1.
    int Page() const { return page_; }

protected:
    // The printable area in inches for a page of this orientation.
    virtual QSizeF PrintableArea(PrintOrientation orientation) const = 0;
    virtual double MeasureText(const QString& text, const PrintFont& font) const = 0;
    virtual double LineHeight(const PrintFont& font) const = 0;
    virtual void BeginDocument(PrintOrientation orientation) = 0;
    virtual void DrawText(QPointF at, const QString& text, const PrintFont& font, quint32 color) = 0;
    virtual void DrawLine(QPointF from, QPointF to, int width, PenStyle style, quint32 color) = 0;
    virtual void StartPage() = 0;
    virtual void FinishDocument() = 0;
    virtual void CancelDocument() = 0;

private:
    void EnsureStarted();
    void CloseDocument();
    QPointF ToInches(double x, double y) const;
    double InchesPerUnitX() const;
    double InchesPerUnitY() const;

    int scaleMode_ = 0;
    double scaleWidth_ = 8.5;
    double scaleHeight_ = 11;
    PrintOrientation orientation_ = PrintOrientation::Portrait;
    PrintFont font_;
    quint32 foreColor_ = kBlack;
    int drawWidth_ = 1;
    PenStyle drawStyle_ = PenStyle::Solid;
    double x_ = 0;
    double y_ = 0;
    bool started_ = false;
    int page_ = 1;
};

} // namespace kvl
