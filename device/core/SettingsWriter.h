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
    Written,          // every page verified, the unit's rows stored (and the clock set when asked)
    EditedSetMissing, // " Settings data is missing. Process is terminated.": nothing was sent
    Refused,          // the values cannot be carried: nothing was sent
    NoAcknowledge,    // "Error Writing Setting to " + model
    ReadBackTimeOut,  // "Reading back time out."
    ReadBackError,    // "Reading back error."; the device was put to sleep
    Mismatch,         // "Read/Write data error."
    Closed,           // Close was asked: nothing more was sent
    DatabaseError,    // the edited set could not be read, or the written one not stored
};

// Resend limit and windows of the write exchange, in seconds.
namespace WriteTiming {
inline constexpr double AckWindow = 2.0;
inline constexpr double ReadBackWindow = 2.0;
inline constexpr int MaxResends = 4;
} // namespace WriteTiming

// Writes the model's edited set (gv.SelectedModelID, DCSERIALNO -1) to the unit
// over the link, with the block as last read in the link's image; each verified
// page goes into the image. Once the unit has taken every page, its rows
// (members.UnitSerialNo) are stored as decoded from the image, in one
// transaction; a write that stops changes none of them. Shows the messages and
// runs the success steps itself (status, gv.SelectedSerialNo, close request).
SettingsWriteEnd Qor_WriteDCSettings(CommLink& link, CommMembers& members, CommSurface& surface);

// The 20-byte write frame of one page.
QByteArray WriteFrame(int page, const QByteArray& data);

} // namespace kvl
