#include "shell/Pictures.h"

#include <QPainter>

namespace kvl {

namespace {

QColor SeaLight() { return QColor(70, 150, 220); }
QColor SeaDeep() { return QColor(10, 50, 110); }

} // namespace

QPixmap LogoPicture()
{
    QPixmap picture(150, 64);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sea(0, 0, 0, picture.height());
    sea.setColorAt(0, SeaLight());
    sea.setColorAt(1, SeaDeep());
    painter.setBrush(sea);
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(picture.rect(), 8, 8);
    painter.setPen(QPen(QColor(255, 255, 255, 120), 2));
    for (int x = 10; x < 140; x += 20)
        painter.drawArc(x, 44, 20, 10, 0, 180 * 16);
    painter.setFont(QFont("DejaVu Sans", 20, QFont::Bold));
    painter.setPen(Qt::white);
    painter.drawText(picture.rect().adjusted(0, -8, 0, -8), Qt::AlignCenter, "TARVIK");
    return picture;
}

QPixmap RoundBadge(int size, const QString& text)
{
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient sea(size * 0.4, size * 0.35, size * 0.6);
    sea.setColorAt(0, SeaLight());
    sea.setColorAt(1, SeaDeep());
    painter.setBrush(sea);
    painter.setPen(QPen(SeaDeep(), size / 24.0));
    const qreal margin = size / 16.0;
    painter.drawEllipse(QRectF(margin, margin, size - 2 * margin, size - 2 * margin));
    painter.setPen(Qt::white);
    painter.setFont(QFont("DejaVu Sans", size / 2, QFont::Bold));
    painter.drawText(picture.rect(), Qt::AlignCenter, text);
    return picture;
}

} // namespace kvl
