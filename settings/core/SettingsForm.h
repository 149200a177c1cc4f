#pragma once
// What the settings form shows and saves, without its widgets: the items of its
// choice boxes, the list positions a settings row selects, the ticks of its option
// pairs, and the edited row (DCSERIALNO -1) the shown choices make. The form only
// copies these into and out of its controls.

#include "platform/db/Db.h"
#include "settings/core/SettingsImage.h"
#include "settings/core/SettingsRecords.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>

namespace kvl::settings {

// The form's two-box option pairs, in the order the form lays them out.
enum class OptionPair : int {
    Unit, Water, Hour, Receiver, Audible, FO2, NAV, ASC, CHRONO, CHRONOASCENT, NAVBL, ASCSCALE, Count
};
inline constexpr int OptionPairCount = static_cast<int>(OptionPair::Count);
// The two boxes of a pair.
enum PairBox : int { Box0 = 0, Box1 = 1 };
// Mouse-release pairs follow only the user; click pairs every change of state.
enum class PairReaction { MouseRelease, Click };

struct OptionPairInfo {
    const char* name;      // the control's name
    const char* label;     // the caption beside the pair
    const char* box0;
    const char* box1;
    PairReaction reaction;
};
const OptionPairInfo& PairInfo(OptionPair pair);

// The shown row's numeric columns, a Null column as 0.
struct FormSettingsFields {
    quint8 SAFETYDEPTH = 0;
    quint8 SAFETYTIME = 0;
    int ALTTIME = 0;
    int MAXDEPTH = 0;
    int TURNPSI = 0;
    int ENDPSI = 0;
    int EDT = 0;
    int DTR = 0;
    int PO2 = 0;
    quint8 MAXNIBG = 0;
    int MAXATRBG = 0;
    quint8 BACKLIGHT = 0;
    quint8 DIVESAMPLE = 0;
};

// Slots of the row's flags, as the device's flag bytes hold them.
enum FlagBits1Slot : int { Bits1Hour = 0, Bits1Audible = 1, Bits1Receiver = 2, Bits1Units = 3, Bits1FO2 = 4,
                           Bits1Gauge = 5, Bits1Water = 7 };
enum FlagBits2Slot : int { Bits2NavBacklight = 1, Bits2Chrono = 5, Bits2ChronoAscent = 6, Bits2NavDive = 7 };
using FlagBits = std::array<quint8, 8>;

// The items of the choice boxes.
QStringList MaxDepthItems(bool metric);
QStringList EdtHourItems();
QStringList EdtMinuteItems();
QStringList DtrItems();
QStringList Po2Items();
QStringList BacklightItems();
// Empty for a model other than the served one.
QStringList SampleRateItems(qint32 modelId, bool metric);

// The stored depth (feet) of a depth-list position, and back; the position is -1
// beyond the list (above 400 feet). A depth below 20 counts as 20.
int MaxDepthOfPosition(int position);
int MaxDepthPosition(int feet);
// Hundredths of an ATA of a PO2-list position.
int Po2OfPosition(int position);
// EDT (hours * 100 + minutes) of the two EDT positions.
int EdtOfPositions(int hourPosition, int minutePosition);
// The minute text after a pick (9 hours allow no minutes) and after leaving either
// box (0 hours allow no less than 10 minutes); the text given when no rule applies.
QString EdtMinuteAfterPick(const QString& hourText, const QString& minuteText);
QString EdtMinuteAfterLeaving(const QString& hourText, const QString& minuteText);

// A settings row as the form shows it. A position of -1 leaves its box without a
// selection.
struct ShownSettings {
    QString firmware;
    FormSettingsFields fields;
    FlagBits flagBits1{};
    FlagBits flagBits2{};
    std::array<bool, OptionPairCount> box0Ticked{};   // box 1 shows the opposite
    int depthPosition = -1;
    int edtHourPosition = -1;
    int edtMinutePosition = -1;
    int dtrPosition = -1;
    int po2Position = -1;
    int backlightPosition = -1;
    int samplePosition = -1;
};
ShownSettings ShowSettingsRow(const SettingsValues& row);
// The list positions the fields select (the fields corrected as shown).
ShownSettings PositionsFor(FormSettingsFields fields, qint32 modelId = 6774, bool metric = false);

// The form's choices as the save reads them.
struct EditedChoices {
    FormSettingsFields fields;     // kept for a box left without a selection
    std::array<bool, OptionPairCount> box0Ticked{};
    int maxDepth = 0;              // the form's depth value, in feet
    QString edtHourText;
    QString edtMinuteText;
    QString dtrText;
    QString po2Text;
    int backlightPosition = -1;    // -1: no selection
    int samplePosition = -1;
    bool changeDateAndTime = false;
};
// The columns the save writes into the edited row, in the order it writes them.
SettingsValues EditedSettingsRow(const EditedChoices& choices);

// The date and time the device's clock is set to.
struct ClockChoice {
    bool useSystemTime = false;
    QString dateItem;              // as the "Date" item shows it
    bool monthFirst = true;        // the item's order: "mm/dd/yyyy" or "dd/mm/yyyy"
    QString timeText;              // "hh:mm" as typed
    bool twelveHour = false;
    QString amPm;
    QDateTime now;
};
struct ClockTexts {
    QString date;                  // "mm/dd/yy", month first whatever the item's order
    QString time;                  // 24-hour "hh:mm"
    bool dateValid = true;         // false when the item could not be read as a date
};
ClockTexts DeviceClockTexts(const ClockChoice& choice);
// The message for a "Date" item that is not a date, in the item's order.
QString InvalidDateMessage(bool monthFirst);
// Today as the "Date" item shows it in the form's units.
QString DateItemText(const QDate& date, bool monthFirst);

// One leg's alarms as the leg grid holds them.
struct LegAlarms {
    int legNo = 0;
    db::Value audible;
    db::Value light;
};
// Writes the edited row (DCSERIALNO -1) of the model, adding it when missing, and
// the alarms of its legs, in one transaction: on a failure nothing is written and
// the step that failed is returned.
enum class SaveFailure { None, SettingsRow, LegAlarm };
SaveFailure SaveEditedSet(db::Database& db, qint32 modelId, const SettingsValues& row,
                          const std::vector<LegAlarms>& alarms);

} // namespace kvl::settings
