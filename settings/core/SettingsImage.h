#pragma once
// The dive computer's settings image: the 16-byte settings block (page 5 of its
// memory) and the navigation legs on pages 48..60. One table lays out every
// column of the block; the decoders of the live block and of the per-dive copy
// and the encoder of the device writer all walk it.

#include "platform/db/Db.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace kvl::settings {

inline constexpr int PageBytes = 16;
inline constexpr int SettingsPage = 5;
inline constexpr int FirstLegPage = 48;
inline constexpr int LastLegPage = 60;
inline constexpr int LegBytes = 4;
inline constexpr int LegsPerPage = PageBytes / LegBytes;
inline constexpr int LegSlots = (LastLegPage - FirstLegPage + 1) * LegsPerPage;   // 52
// The list on the device ends with an all-zero slot, so one slot stays free.
inline constexpr int MaxLegsWritten = LegSlots - 1;

// How the elapsed-dive-time alarm stands in bytes 2 and 3: plain numbers in the
// live block, BCD digits in the copy the device keeps with each dive.
enum class EdtForm { Plain, Bcd };

// Column values in the order the block lays them out.
using SettingsValues = std::vector<std::pair<QString, db::Value>>;

// The block's columns, decoded (clamped as the layout says); GAUGE, CONSERVE and
// RECEIVER, which have no place in the block, come out as 0.
SettingsValues DecodeSettingsBlock(const QByteArray& block, EdtForm edt);

// The value of `column` in `values`, Null when absent (column names ignore case).
db::Value ValueOf(const SettingsValues& values, const QString& column);

// Checks the columns the writer sends against the ranges the block can carry.
// Returns "" when all fit, else the message for the user; nothing may be sent then.
QString CheckSettingsValues(const SettingsValues& values);

// The block to write: the block as read with the rebuilt bytes and bits replaced
// from `values`, the kept ones left as read. Values must have passed the check.
QByteArray EncodeSettingsBlock(const QByteArray& asRead, const SettingsValues& values);

// One navigation leg.
struct DCNavLeg {
    qint32 heading = 0;       // degrees 0..360
    bool audible = false;
    bool light = false;
    qint32 cdt = 0;           // count-down time in seconds
    bool operator==(const DCNavLeg&) const = default;
};

// The legs of the leg pages (the data bytes of pages 48..60 in order), up to the
// first with a count-down time of 0.
std::vector<DCNavLeg> DecodeLegs(const QByteArray& legPages);
DCNavLeg DecodeLeg(const QByteArray& bytes);
QByteArray EncodeLeg(const DCNavLeg& leg);

// Checks legs before any page is written: at most 51, each heading 0..360 and each
// count-down time from 0:00:01 to 9:59:59. "" when they fit, else the message.
QString CheckLegs(const std::vector<DCNavLeg>& legs);

// The pages a settings write sends, in order, with their 16 data bytes: page 5,
// then the leg pages 48.. up to and including the page holding the zero slot after
// the last leg (no leg page when there are no legs).
struct WritePage {
    int page = 0;
    QByteArray data;
};
std::vector<WritePage> BuildWritePages(const QByteArray& blockAsRead, const SettingsValues& values,
                                       const std::vector<DCNavLeg>& legs);

} // namespace kvl::settings
