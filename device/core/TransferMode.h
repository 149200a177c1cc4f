#pragma once
// What the download window does when it opens: the codes of gv.CommMode.

#include <QtGlobal>

namespace kvl {

enum TransferMode : quint8 { ReadSettingsMode = 1, WriteSettingsMode = 2, DownloadMode = 3 };

} // namespace kvl
