#pragma once
// Writing the unit's settings to the dive computer: the settings block (page 5)
// and the navigation leg pages, each written, acknowledged, read back and
// compared, then the device clock when the unit's row asks for it.

#include "device/core/CommLink.h"

#include <QByteArray>
#include <QString>

namespace kvl {

// How a settings write ended.
enum class SettingsWriteEnd {
    Written,          // every page verified (and the clock set when asked)
    Refused,          // the values cannot be carried: nothing was sent
    NoAcknowledge,    // "Error Writing Setting to " + model
    ReadBackTimeOut,  // "Reading back time out."
    ReadBackError,    // "Reading back error."; the device was put to sleep
    Mismatch,         // "Read/Write data error."
    Closed,           // Close was asked: nothing more was sent
    DatabaseError,    // "Could not save the dive computer settings."
};

// Resend limit and windows of the write exchange, in seconds.
namespace WriteTiming {
inline constexpr double AckWindow = 2.0;
inline constexpr double ReadBackWindow = 2.0;
inline constexpr int MaxResends = 4;
} // namespace WriteTiming

// Writes the unit's rows (gv.SelectedModelID, members.UnitSerialNo) over the
// link, with the block as last read in the link's image. Shows the messages and
// runs the success steps itself (status, gv.SelectedSerialNo, close request).
SettingsWriteEnd Qor_WriteDCSettings(CommLink& link, CommMembers& members, CommSurface& surface);

// The 20-byte write frame of one page.
QByteArray WriteFrame(int page, const QByteArray& data);

} // namespace kvl
