#pragma once
// A picture box: a widget that keeps its drawing in a picture of its own size (so the
// drawing survives being covered) and draws in user coordinates. The scale names the
// user rectangle that the whole picture shows: x from ScaleLeft over ScaleWidth from
// the left edge, y from ScaleTop over ScaleHeight from the top edge. Lines take the
// current draw width, draw style and fore colour. A resize starts a blank picture of
// the new size and raises Resized, so the owner can draw again.

#include <QColor>
#include <QImage>
#include <QWidget>

#include <memory>

class QPainter;

namespace kvl {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    enum class DrawStyle { Solid, Dotted };

    explicit PictureBox(QWidget* parent = nullptr);
    ~PictureBox() override;

    // Fills the picture with the back colour.
    void Cls();
    void SetScale(double left, double top, double width, double height);
    void SetScaleSize(double width, double height) { SetScale(scaleLeft_, scaleTop_, width, height); }
    double ScaleLeft() const { return scaleLeft_; }
    double ScaleWidth() const { return scaleWidth_; }
    double ScaleHeight() const { return scaleHeight_; }
    void SetDrawWidth(int width);
    int DrawWidth() const { return drawWidth_; }
    void SetDrawStyle(DrawStyle style);
    void SetForeColor(const QColor& color);
    QColor BackColor() const { return Qt::white; }

    void Line(double x0, double y0, double x1, double y1);
    void Line(double x0, double y0, double x1, double y1, const QColor& color);

    // The picture as drawn so far.
    const QImage& Picture();
    // Puts a picture back, stretched to this box's size.
    void SetPicture(const QImage& picture);

    // Pixel and user coordinates of this box's scale.
    QPointF ToPixel(double x, double y) const;
    QPointF ToUser(const QPointF& pixel) const;

signals:
    // A mouse button went down at (x, y) in user coordinates.
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, double x, double y);
    // A key went down while the box had the focus; the handler sets handled to keep
    // the key from the box's parents.
    void KeyDown(int key, Qt::KeyboardModifiers modifiers, bool& handled);
    void Resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPainter& Painter();
    void EndPainting();
    QPen CurrentPen() const;

    QImage picture_;
    std::unique_ptr<QPainter> painter_;
    double scaleLeft_ = 0, scaleTop_ = 0, scaleWidth_ = 1, scaleHeight_ = 1;
    int drawWidth_ = 1;
    DrawStyle drawStyle_ = DrawStyle::Solid;
    QColor foreColor_ = Qt::black;
};

} // namespace kvl
