#pragma once
// The program's own pictures, drawn rather than shipped: the side bar's logo and
// the round badges of the help menu and the About box.

#include <QPixmap>
#include <QString>

namespace kvl {

QPixmap LogoPicture();
// A blue disc of size x size pixels with text in white in its middle.
QPixmap RoundBadge(int size, const QString& text);

} // namespace kvl
