#pragma once
// A printer that keeps what is drawn instead of drawing it, for tests. Its metrics are
// fixed so expected positions are exact: a character is 1/128 inch wide per point of
// size (1/16 inch at 8 pt) and a line 1/64 inch high per point (0.125 inch at 8 pt),
// whatever the face or style. The printable area is the whole Letter page, so with the
// reports' scales one unit is one inch.

#include "platform/printer/Printer.h"

#include <QString>

#include <vector>

namespace kvl {

struct RecordedText {
    int page;
    double x, y;
    QString text;
    double size;
    bool bold, italic, underline;
    quint32 color;
};

struct RecordedLine {
    int page;
    double x1, y1, x2, y2;
    int width;
    PenStyle style;
    quint32 color;
};

class RecordingPrinter : public Printer {
public:
    // What the last started document holds (cleared when the next one starts).
    std::vector<RecordedText> texts;
    std::vector<RecordedLine> lines;
    int pages = 0;                // pages of the last document
    PrintOrientation documentOrientation = PrintOrientation::Portrait;
    int documents = 0;            // documents started
    int ended = 0;                // documents ended with EndDoc
    int aborted = 0;              // documents dropped with AbortDoc

    // The texts of one page, in drawing order.
    std::vector<RecordedText> TextsOn(int page) const;
    // The first text equal to text, or nullptr.
    const RecordedText* Find(const QString& text) const;

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
};

} // namespace kvl
