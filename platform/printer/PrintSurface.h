#pragma once
// The little a report needs of a printer to place text: the current position,
// the printed width of a text, and printing at the position.

#include <QString>

namespace kvl {

class PrintSurface {
public:
    virtual ~PrintSurface() = default;
    virtual double CurrentX() const = 0;
    virtual double CurrentY() const = 0;
    virtual void SetCurrentX(double x) = 0;
    virtual void SetCurrentY(double y) = 0;
    virtual double TextWidth(const QString& text) const = 0;
    // Prints text at the current position and moves past it; with endLine the
    // position then goes to the left margin of the next line.
    virtual void Print(const QString& text, bool endLine) = 0;
};

} // namespace kvl
