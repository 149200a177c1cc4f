#include "device/core/ImageBytes.h"

namespace kvl {

QByteArray PageBytes(const Image& image, int page)
{
    const auto data = PageData(image, page);
    return QByteArray(reinterpret_cast<const char*>(data.data()), static_cast<int>(data.size()));
}

QByteArray LegPageBytes(const Image& image)
{
    QByteArray bytes;
    for (int page = DevicePage::FirstLeg; page <= DevicePage::LastLeg; ++page)
        bytes += PageBytes(image, page);
    return bytes;
}

} // namespace kvl
