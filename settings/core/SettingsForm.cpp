#include "settings/core/SettingsForm.h"

#include "platform/runtime/Runtime.h"
#include "shell/core/Lookups.h"
#include "shell/core/Units.h"

#include <QLoggingCategory>

#include <cmath>

namespace kvl::settings {

namespace {

Q_LOGGING_CATEGORY(lcSettings, "kvl.settings")

constexpr qint32 ServedModel = 6774;
constexpr int DepthItemCount = 41;

const std::array<OptionPairInfo, OptionPairCount> Pairs = {{
    {"Unit_Opt", "Units of Measure:", "Imperial", "Metric", PairReaction::MouseRelease},
    {"Water_Opt", "Water Contact:", "ON", "OFF", PairReaction::MouseRelease},
    {"Hour_Opt", "Hour Format: ", "12", "24", PairReaction::MouseRelease},
    {"Receiver_Opt", "Receiver Enabled:", "ON", "OFF", PairReaction::MouseRelease},
    {"Audible_Opt", "Audible Alarm:", "ON", "OFF", PairReaction::MouseRelease},
    {"FO2_Opt", "FO2 Default:", "ON", "OFF", PairReaction::Click},
    {"NAV_Opt", "NAV Mode:", "ON", "OFF", PairReaction::Click},
    {"ASC_Opt", "Ascent Mode:", "ON", "OFF", PairReaction::Click},
    {"CHRONO_Opt", "Chrono Mode:", "ON", "OFF", PairReaction::Click},
    {"CHRONOASCENT_Opt", "Chrono/Ascent ON/OFF:", "ON", "OFF", PairReaction::Click},
    {"NAVBL_Opt", "NAV Back Light Mode:", "Constant", "Time Out", PairReaction::Click},
    {"ASCSCALE_Opt", "Ascent Scale:", "VELK", "Standard", PairReaction::Click},
}};

int Column(const SettingsValues& row, const char* column)
{
    return static_cast<int>(ValueOf(row, QString::fromLatin1(column)).ToLong());
}

quint8 ByteColumn(const SettingsValues& row, const char* column)
{
    return static_cast<quint8>(Column(row, column));
}

// The position of a value in a list of `count` items, or -1 outside it.
int InList(int position, int count)
{
    return position >= 0 && position < count ? position : -1;
}

bool IsOne(int value) { return value == 1; }

int Ticked(bool ticked) { return ticked ? 1 : 0; }

QStringList Numbers(int from, int to, int step, const char* picture = "0")
{
    QStringList items;
    for (int n = from; n <= to; n += step)
        items << Format(n, picture);
    return items;
}

} // namespace

const OptionPairInfo& PairInfo(OptionPair pair) { return Pairs[static_cast<size_t>(pair)]; }

QStringList MaxDepthItems(bool metric)
{
    const QStringList numbers = metric ? Numbers(6, 8, 1) + Numbers(9, 120, 3) : Numbers(20, 26, 3) + Numbers(30, 400, 10);
    const QString unit = metric ? QStringLiteral(" M") : QStringLiteral(" FT");
    QStringList items;
    for (const QString& n : numbers)
        items << n + unit;
    return items;
}

QStringList EdtHourItems() { return Numbers(0, 9, 1); }
QStringList EdtMinuteItems() { return Numbers(0, 55, 5, "00"); }
QStringList DtrItems() { return Numbers(0, 20, 1, "00"); }

QStringList Po2Items()
{
    QStringList items;
    for (int n = 120; n <= 160; n += 10)
        items << QString::number(n / 100) + "." + Format(n % 100, "00");
    return items;
}

QStringList BacklightItems()
{
    QStringList items;
    for (const int seconds : BacklightSeconds)
        items << QString::number(seconds);
    return items;
}

QStringList SampleRateItems(qint32 modelId, bool metric)
{
    QStringList items;
    if (modelId != ServedModel)
        return items;
    for (const char* caption : metric ? SampleRateMetricCaptions : SampleRateCaptions)
        items << QString::fromLatin1(caption);
    return items;
}

int MaxDepthOfPosition(int position) { return position < 3 ? 20 + 3 * position : 10 * position; }

int MaxDepthPosition(int feet)
{
    feet = std::max(feet, 20);
    return InList(feet >= 30 ? (feet - 30) / 10 + 3 : (feet - 20) / 3, DepthItemCount);
}

int Po2OfPosition(int position) { return 120 + 10 * position; }

int EdtOfPositions(int hourPosition, int minutePosition) { return 100 * hourPosition + 5 * minutePosition; }

QString EdtMinuteAfterPick(const QString& hourText, const QString& minuteText)
{
    return Val(hourText) == 9 && Val(minuteText) > 0 ? QStringLiteral("00") : minuteText;
}

QString EdtMinuteAfterLeaving(const QString& hourText, const QString& minuteText)
{
    return Val(hourText) == 0 && Val(minuteText) < 10 ? QStringLiteral("10") : minuteText;
}

ShownSettings ShowSettingsRow(const SettingsValues& row)
{
    ShownSettings shown;
    shown.firmware = ValueOf(row, "FIRMWAREREV").ToString();
    FormSettingsFields& f = shown.fields;
    f.SAFETYTIME = ByteColumn(row, "SAFETYTIME");
    f.SAFETYDEPTH = ByteColumn(row, "SAFETYDEPTH");
    f.ALTTIME = Column(row, "ALTTIME");
    f.MAXDEPTH = Column(row, "MAXDEPTH");
    f.TURNPSI = Column(row, "TURNPSI");
    f.ENDPSI = Column(row, "ENDPSI");
    f.EDT = Column(row, "EDT");
    f.DTR = Column(row, "DTR");
    f.PO2 = Column(row, "PO2");
    f.MAXNIBG = ByteColumn(row, "MAXNIBG");
    f.MAXATRBG = Column(row, "MAXATRBG");
    f.DIVESAMPLE = ByteColumn(row, "DIVESAMPLE");
    f.BACKLIGHT = ByteColumn(row, "BACKLIGHT");

    const int hour = Column(row, "HOUR"), audible = Column(row, "AUDIBLEALARM"), units = Column(row, "UNITS"),
              fo2 = Column(row, "FO2"), water = Column(row, "WATER"), navBacklight = Column(row, "NAVBACKLIGHT"),
              chrono = Column(row, "CHRONO"), chronoAscent = Column(row, "CHRONO_ASCENT_ON_OFF"),
              navDive = Column(row, "NAVDIVE");
    shown.flagBits1[Bits1Hour] = static_cast<quint8>(hour);
    shown.flagBits1[Bits1Audible] = static_cast<quint8>(audible);
    shown.flagBits1[Bits1Units] = static_cast<quint8>(units);
    shown.flagBits1[Bits1FO2] = static_cast<quint8>(fo2);
    shown.flagBits1[Bits1Gauge] = ByteColumn(row, "GAUGE");
    shown.flagBits1[Bits1Water] = static_cast<quint8>(water);
    shown.flagBits2[Bits2NavBacklight] = static_cast<quint8>(navBacklight);
    shown.flagBits2[Bits2Chrono] = static_cast<quint8>(chrono);
    shown.flagBits2[Bits2ChronoAscent] = static_cast<quint8>(chronoAscent);
    shown.flagBits2[Bits2NavDive] = static_cast<quint8>(navDive);

    // Box (0) is ticked for a stored 1, or for anything but 1 where box (1) shows the column.
    auto& box0 = shown.box0Ticked;
    box0[size_t(OptionPair::Hour)] = !IsOne(hour);
    box0[size_t(OptionPair::Audible)] = IsOne(audible);
    box0[size_t(OptionPair::Receiver)] = true;   // the device keeps no receiver setting to show
    box0[size_t(OptionPair::Unit)] = !IsOne(units);
    box0[size_t(OptionPair::FO2)] = IsOne(fo2);
    box0[size_t(OptionPair::Water)] = IsOne(water);
    box0[size_t(OptionPair::CHRONO)] = IsOne(chrono);
    box0[size_t(OptionPair::NAVBL)] = !IsOne(navBacklight);
    box0[size_t(OptionPair::ASC)] = !IsOne(chrono);
    box0[size_t(OptionPair::CHRONOASCENT)] = IsOne(chronoAscent);
    box0[size_t(OptionPair::NAV)] = IsOne(navDive);
    box0[size_t(OptionPair::ASCSCALE)] = !IsOne(f.ALTTIME);

    const ShownSettings placed = PositionsFor(f, ServedModel, !box0[size_t(OptionPair::Unit)]);
    shown.fields = placed.fields;
    shown.depthPosition = placed.depthPosition;
    shown.edtHourPosition = placed.edtHourPosition;
    shown.edtMinutePosition = placed.edtMinutePosition;
    shown.dtrPosition = placed.dtrPosition;
    shown.po2Position = placed.po2Position;
    shown.backlightPosition = placed.backlightPosition;
    shown.samplePosition = placed.samplePosition;
    return shown;
}

ShownSettings PositionsFor(FormSettingsFields f, qint32 modelId, bool metric)
{
    f.MAXDEPTH = std::max(f.MAXDEPTH, 20);
    f.DTR = std::min(f.DTR, 20);
    f.PO2 = std::max(f.PO2, 120);
    if (f.BACKLIGHT > 2)
        f.BACKLIGHT = 1;
    ShownSettings shown;
    shown.fields = f;
    shown.depthPosition = MaxDepthPosition(f.MAXDEPTH);
    shown.edtHourPosition = f.EDT < 0 ? -1 : InList(f.EDT / 100, static_cast<int>(EdtHourItems().size()));
    shown.edtMinutePosition = f.EDT < 0 ? -1 : InList(f.EDT % 100 / 5, static_cast<int>(EdtMinuteItems().size()));
    shown.dtrPosition = InList(f.DTR, static_cast<int>(DtrItems().size()));
    shown.po2Position = InList((f.PO2 - 120) / 10, static_cast<int>(Po2Items().size()));
    shown.backlightPosition = InList(f.BACKLIGHT, static_cast<int>(BacklightItems().size()));
    shown.samplePosition = InList(f.DIVESAMPLE, static_cast<int>(SampleRateItems(modelId, metric).size()));
    return shown;
}

SettingsValues EditedSettingsRow(const EditedChoices& c)
{
    const auto box0 = [&](OptionPair pair) { return Ticked(c.box0Ticked[size_t(pair)]); };
    const auto box1 = [&](OptionPair pair) { return Ticked(!c.box0Ticked[size_t(pair)]); };
    // A box left without a selection keeps the shown row's value.
    const auto number = [](const QString& text, int kept) { return text.isEmpty() ? kept : static_cast<int>(Val(text)); };
    const auto position = [](int picked, int kept) { return picked >= 0 ? picked : kept; };

    int edt = c.edtHourText.isEmpty() || c.edtMinuteText.isEmpty()
                  ? c.fields.EDT
                  : static_cast<int>(Val(c.edtHourText)) * 100 + static_cast<int>(Val(c.edtMinuteText));
    edt = std::max(edt, 10);
    const int po2 = c.po2Text.isEmpty() ? c.fields.PO2 : static_cast<int>(std::lround(Val(c.po2Text) * 100));
    return {
        {"MAXDEPTH", c.maxDepth},
        {"EDT", edt},
        {"TURNPSI", 0},
        {"ENDPSI", 0},
        {"HOUR", box1(OptionPair::Hour)},
        {"AUDIBLEALARM", box0(OptionPair::Audible)},
        {"FO2", box0(OptionPair::FO2)},
        {"WATER", box0(OptionPair::Water)},
        {"RECEIVER", box1(OptionPair::Receiver)},
        {"UNITS", box1(OptionPair::Unit)},
        {"GAUGE", 0},
        {"CONSERVE", 0},
        {"NAVDIVE", box0(OptionPair::NAV)},
        {"CHRONO", box0(OptionPair::CHRONO)},
        {"CHRONO_ASCENT_ON_OFF", box0(OptionPair::CHRONOASCENT)},
        {"ASCENT", box0(OptionPair::ASC)},
        {"NAVBACKLIGHT", box1(OptionPair::NAVBL)},
        {"ALTTIME", static_cast<int>(InvertBit(box0(OptionPair::ASCSCALE)))},
        {"MAXNIBG", 0},
        {"DTR", number(c.dtrText, c.fields.DTR)},
        {"PO2", po2},
        {"BACKLIGHT", position(c.backlightPosition, c.fields.BACKLIGHT)},
        {"SAFETYTIME", 0},
        {"SAFETYDEPTH", 0},
        {"DIVESAMPLE", position(c.samplePosition, c.fields.DIVESAMPLE)},
        {"TANK1ON", 0},
        {"TANK2ON", 0},
        {"TANK3ON", 0},
        {"TID1", 0},
        {"TID2", 0},
        {"TID3", 0},
        {"SYSTEMCLOCK", Ticked(c.changeDateAndTime)},
    };
}

QString DateItemText(const QDate& date, bool monthFirst)
{
    return date.toString(monthFirst ? QStringLiteral("MM/dd/yyyy") : QStringLiteral("dd/MM/yyyy"));
}

QString InvalidDateMessage(bool monthFirst)
{
    return monthFirst ? QStringLiteral("Invalid date. Please enter date as mm/dd/yyyy.")
                      : QStringLiteral("Invalid date. Please enter date as dd/mm/yyyy.");
}

ClockTexts DeviceClockTexts(const ClockChoice& choice)
{
    ClockTexts texts;
    if (choice.useSystemTime) {
        texts.date = choice.now.date().toString(QStringLiteral("MM/dd/yy"));
        texts.time = choice.now.time().toString(QStringLiteral("HH:mm"));
        return texts;
    }
    const QDate date = QDate::fromString(choice.dateItem.trimmed(), choice.monthFirst ? QStringLiteral("MM/dd/yyyy")
                                                                                       : QStringLiteral("dd/MM/yyyy"));
    texts.dateValid = date.isValid();
    if (texts.dateValid)
        texts.date = date.toString(QStringLiteral("MM/dd/yy"));
    texts.time = choice.twelveHour ? TimeTo24Hour(choice.timeText, choice.amPm).left(5) : choice.timeText;
    return texts;
}

SaveFailure SaveEditedSet(db::Database& db, qint32 modelId, const SettingsValues& row,
                          const std::vector<LegAlarms>& alarms)
{
    SaveFailure step = SaveFailure::SettingsRow;
    try {
        db::Transaction tx(db);
        WriteSettingsRow(db, {modelId, EditedSerial}, row);
        step = SaveFailure::LegAlarm;
        for (const LegAlarms& leg : alarms) {
            db.Execute("UPDATE DC_NAV SET AUDIBLEALARM = ?, LIGHTALARM = ? where DCID = ? and DCSERIALNO = ? and "
                       "LEGNO = ? ;",
                       {leg.audible, leg.light, modelId, int(EditedSerial), leg.legNo});
        }
        tx.Commit();
        return SaveFailure::None;
    } catch (const db::DbError& error) {
        qCWarning(lcSettings) << "saving the edited settings failed:" << error.Message();
        return step;
    }
}

} // namespace kvl::settings
