#include "platform/widgets/PictureBox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace kvl {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    picture_ = QImage(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    picture_.fill(BackColor());
}

PictureBox::~PictureBox() = default;

void PictureBox::Cls()
{
    EndPainting();
    picture_.fill(BackColor());
    update();
}

void PictureBox::SetScale(double left, double top, double width, double height)
{
    scaleLeft_ = left;
    scaleTop_ = top;
    scaleWidth_ = width;
    scaleHeight_ = height;
}

void PictureBox::SetDrawWidth(int width)
{
    drawWidth_ = std::max(1, width);
}

void PictureBox::SetDrawStyle(DrawStyle style)
{
    drawStyle_ = style;
}

void PictureBox::SetForeColor(const QColor& color)
{
    foreColor_ = color;
}

QPen PictureBox::CurrentPen() const
{
    QPen pen(foreColor_, drawWidth_, drawStyle_ == DrawStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

void PictureBox::Line(double x0, double y0, double x1, double y1)
{
    QPainter& p = Painter();
    p.setPen(CurrentPen());
    p.drawLine(ToPixel(x0, y0), ToPixel(x1, y1));
    update();
}

void PictureBox::Line(double x0, double y0, double x1, double y1, const QColor& color)
{
    foreColor_ = color;
    Line(x0, y0, x1, y1);
}

const QImage& PictureBox::Picture()
{
    EndPainting();
    return picture_;
}

void PictureBox::SetPicture(const QImage& picture)
{
    EndPainting();
    if (picture.size() == picture_.size())
        picture_ = picture;
    else
        picture_ = picture.scaled(picture_.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation)
                       .convertToFormat(QImage::Format_RGB32);
    update();
}

// The user rectangle spans the pixels from the first to the last, so lines at both
// ends of the scale stay in sight.
QPointF PictureBox::ToPixel(double x, double y) const
{
    const double w = picture_.width() - 1, h = picture_.height() - 1;
    return {scaleWidth_ == 0 ? 0 : (x - scaleLeft_) * w / scaleWidth_,
            scaleHeight_ == 0 ? 0 : (y - scaleTop_) * h / scaleHeight_};
}

QPointF PictureBox::ToUser(const QPointF& pixel) const
{
    const double w = std::max(1, picture_.width() - 1), h = std::max(1, picture_.height() - 1);
    return {scaleLeft_ + pixel.x() * scaleWidth_ / w, scaleTop_ + pixel.y() * scaleHeight_ / h};
}

QPainter& PictureBox::Painter()
{
    if (!painter_)
        painter_ = std::make_unique<QPainter>(&picture_);
    return *painter_;
}

void PictureBox::EndPainting()
{
    painter_.reset();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    EndPainting();
    QPainter p(this);
    p.drawImage(0, 0, picture_);
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    EndPainting();
    picture_ = QImage(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    picture_.fill(BackColor());
    emit Resized();
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    const QPointF at = ToUser(event->position());
    emit MouseDown(event->button(), event->modifiers(), at.x(), at.y());
}

void PictureBox::keyPressEvent(QKeyEvent* event)
{
    bool handled = false;
    emit KeyDown(event->key(), event->modifiers(), handled);
    if (handled)
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

} // namespace kvl
