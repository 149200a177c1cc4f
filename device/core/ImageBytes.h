#pragma once
// Pages of the memory image as the settings and dive decoders take them: the
// 16 data bytes of a page, and the data bytes of the leg pages in order.

#include "device/core/DeviceImage.h"

#include <QByteArray>

namespace kvl {

QByteArray PageBytes(const Image& image, int page);
QByteArray LegPageBytes(const Image& image);

} // namespace kvl
