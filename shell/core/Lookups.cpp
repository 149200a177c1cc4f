#include "shell/core/Lookups.h"

#include "platform/runtime/Runtime.h"

#include <QLocale>

#include <array>
#include <optional>

namespace kvl {

namespace {

// A code or value as a number; Null matches no code.
std::optional<double> Code(const db::Value& value)
{
    if (value.IsNull())
        return std::nullopt;
    return value.IsText() ? Val(value.ToString()) : value.ToDouble();
}

bool Is(const std::optional<double>& code, double wanted)
{
    return code && *code == wanted;
}

// The text of table[code] for a whole code inside the table, else "".
template <std::size_t N>
QString Pick(const std::array<const char*, N>& table, const std::optional<double>& code)
{
    for (std::size_t i = 0; i < N; ++i)
        if (Is(code, double(i)))
            return QString::fromUtf8(table[i]);
    return {};
}

qint64 Bits(const db::Value& value)
{
    const auto code = Code(value);
    return code ? RoundHalfEven(*code) : 0;
}

bool IsKnownModel(qint32 modelId, std::initializer_list<qint32> models)
{
    for (qint32 m : models)
        if (m == modelId)
            return true;
    return false;
}

QString NumberText(double number)
{
    return QString::number(number, 'g', QLocale::FloatingPointShortest);
}

QString NumberText(const std::optional<double>& number)
{
    return number ? NumberText(*number) : QString();
}

QString OnWhen(const std::optional<double>& value, double on)
{
    return Is(value, on) ? "ON" : "OFF";
}

} // namespace

AscentScale AscentScaleOf(const db::Value& altTime)
{
    return Is(Code(altTime), 1) ? AscentScale::Standard : AscentScale::Velk;
}

AscentScale DiveAscentScale(db::Database& db, const db::Value& diveId)
{
    if (!db.TableExists("DIVE_DC_SETTINGS"))   // a log older than the per-dive settings
        return AscentScale::Velk;
    const auto rs = db.OpenRecordset("Select ALTTIME from DIVE_DC_SETTINGS where DIVEID = ? ;", {diveId});
    return rs->EOF() ? AscentScale::Velk : AscentScaleOf(rs->Field("ALTTIME"));
}

QString AscentRateText(const db::Value& code, const db::Value& unitFlag, const db::Value& depth, AscentScale scale)
{
    using Bands = std::array<const char*, 6>;
    static const Bands anyDepthFeet{"0-32 FPM", "33-38 FPM", "39-44 FPM", "45-50 FPM", "51-60 FPM", ">60 FPM"};
    static const Bands anyDepthMetres{"0-10.5 MPM", "11-12.5 MPM", "13-14.5 MPM", "15-16.5 MPM", "17-18.5 MPM", ">18.5 MPM"};
    static const Bands shallowFeet{"0-10 FPM", "11-15 FPM", "16-20 FPM", "21-25 FPM", "26-30 FPM", ">30 FPM"};
    static const Bands shallowMetres{"0-3 MPM", "3.5-4.5 MPM", "5-6 MPM", "6.5-7.5 MPM", "8-9 MPM", ">9.5 MPM"};
    static const Bands deepFeet{"0-20 FPM", "21-30 FPM", "31-40 FPM", "41-50 FPM", "51-60 FPM", ">60 FPM"};
    static const Bands deepMetres{"0-6 MPM", "6.5-9 MPM", "9.5-12 MPM", "12.5-15 MPM", "15.5-18 MPM", ">18.5 MPM"};

    const bool feet = Is(Code(unitFlag), 1);
    if (scale != AscentScale::Standard)
        return Pick(feet ? anyDepthFeet : anyDepthMetres, Code(code));
    const auto d = Code(depth);
    const bool shallow = d && *d <= 60;
    if (shallow)
        return Pick(feet ? shallowFeet : shallowMetres, Code(code));
    return Pick(feet ? deepFeet : deepMetres, Code(code));
}

QString ViolationText(const db::Value& bits)
{
    if (!IsKnownModel(gv.CurrentDive.MODELID, {6674, 6675, 6676, 6680, kServedModel}))
        return {};
    const qint64 b = Bits(bits);
    if (b & 1)
        return "DECOMPRESSION";
    if (b & 2)
        return "PO2 VIOLATION";
    if (b & 4)
        return "O2 VIOLATION";
    if (b & 8)
        return gv.CurrentDive.GAUGEDIVE ? "GAUGE DIVE" : "VIOLATION";
    return {};
}

QString AlarmListText(const db::Value& bits)
{
    const qint64 b = Bits(bits);
    const std::array<std::pair<qint64, QString>, 6> alarms{{
        {1, gv.UnitSystem == 1 ? "Passed 400 FT" : "Passed 120 M"},
        {2, "Max Depth"},
        {4, "NAV Leg Over"},
        {8, "Max PO2"},
        {16, "Ascent Rate"},
        {32, "EDT"},
    }};
    QStringList names;
    for (const auto& [bit, name] : alarms)
        if (b & bit)
            names << name;
    return names.join(", ");
}

QString SampleRateText(const db::Value& code)
{
    return SampleRateText(code, gv.CurrentDive.MODELID);
}

QString SampleRateText(const db::Value& code, qint32 modelId)
{
    if (!IsKnownModel(modelId, {6675, 6676, 6680, kServedModel}))
        return {};
    const bool feet = gv.UnitDepth == 1;
    const std::array<const char*, 7> rates{"2 Secs", "15 Secs", "30 Secs", "60 Secs", feet ? "2 FT" : "0.5 M",
                                           feet ? "5 FT" : "1.5 M", feet ? "10 FT " : "3.0 M "};
    return Pick(rates, Code(code));
}

QString DiveSampleRateText(const db::Value& code, const db::Value& modelId, bool enteredByHand)
{
    if (enteredByHand)
        return {};
    const bool feet = gv.UnitDepth == 1;
    if (Is(Code(modelId), 6674)) {
        const std::array<const char*, 10> rates{feet ? "2 FT" : "0.5 M", feet ? "5 FT" : "1.5 M", feet ? "10 FT" : "3 M",
                                                "2 Secs", "5 Secs", "10 Secs", "15 Secs", "20 Secs", "25 Secs", "30 Secs"};
        return Pick(rates, Code(code));
    }
    const std::array<const char*, 7> rates{"2 Secs", "15 Secs", "30 Secs", "60 Secs", feet ? "2 FT" : "0.5 M",
                                           feet ? "5 FT" : "1.5 M", feet ? "10 FT" : "3 M"};
    return Pick(rates, Code(code));
}

QString DurationBandText(const db::Value& band)
{
    const double n = Code(band).value_or(0);
    if (gv.BarGraphScale[3] != 14) {
        static const std::array<const char*, 5> firstBands{"0 Min.", "1-5 Min.", "6-10 Min.", "11-15 Min.", "16-20 Min."};
        const QString text = Pick(firstBands, n);
        if (!text.isEmpty())
            return text;
        if (n < 12)
            return NumberText((n - 1) * 5 + 1) + "Min. - " + NumberText(n * 5) + " Min.";
        return ">= 60 Min.";
    }
    if (n == 0)
        return "0 Min.";
    if (n > 0 && n <= 4)
        return NumberText((n - 1) * 2.5) + " Min. - " + NumberText(n * 2.5) + " Min.";
    if (n > 4 && n <= 14)
        return NumberText((n - 5) * 5 + 10) + " Min. - " + NumberText((n - 4) * 5 + 10) + " Min.";
    return ">= 60 Min.";
}

QString DCSettingsText(const QString& field, const db::Value& value, const db::Value& units)
{
    return DCSettingsText(field, value, units, gv.CurrentDive.MODELID);
}

QString DCSettingsText(const QString& field, const db::Value& value, const db::Value& units, qint32 modelId)
{
    const auto v = Code(value);
    if (field == "ASCENTSCALE")
        return Is(v, 0) ? "VELK" : "Standard";
    if (field == "UNITS")
        return Is(v, 0) ? "Imperial" : "Metric";
    if (field == "HOUR")
        return Is(v, 0) ? "12" : "24";
    if (field == "FO2")
        return OnWhen(v, 0);
    if (field == "WATER" || field == "ASCENT" || field == "CHRONO" || field == "CHRONO_ASCENT_ON_OFF"
        || field == "NAVDIVE" || field == "AUDIBLEALARM")
        return OnWhen(v, 1);
    if (field == "NAVBACKLIGHT")
        return Is(v, 0) ? "Constant" : "Time Out";
    if (field == "BACKLIGHT")
        return NumberText(v ? std::optional<double>(*v * 5) : std::nullopt) + " secs";
    if (field == "DIVESAMPLE")
        return SampleRateText(value, modelId);
    if (field == "MAXDEPTH") {
        if (Is(Code(units), 0))
            return NumberText(v) + " FT";
        return (v ? NumberText(double(IntDiv(*v - 30, 10) * 3 + 9)) : QString()) + " M";
    }
    if (field == "EDT" || field == "PO2") {
        if (!v)
            return field == "EDT" ? ":" : ".";
        const QString whole = QString::number(IntDiv(*v, 100));
        const QString part = QString::number(IntMod(*v, 100)).rightJustified(2, '0');
        return whole + (field == "EDT" ? ":" : ".") + part;
    }
    return {};
}

qint32 ModelCodeToId(QString& code)
{
    code = code.toUpper();
    return code == "QX07" ? kServedModel : 0;
}

QString NormalizeModelName(QString& name)
{
    name = name.toUpper();
    return name;
}

quint8 MapModelId(const db::Value& modelId)
{
    const auto id = Code(modelId);
    for (double known : {6674, 6680, 6675, 6676, kServedModel})
        if (Is(id, known))
            return 2;
    return 0;
}

quint8 InvertBit(const db::Value& value)
{
    return Is(Code(value), 1) ? 0 : 1;
}

QString ToHexText(qint64 number)
{
    return QString::number(quint64(number), 16).rightJustified(16, '0');
}

namespace {

// The four bar-graph lists of four numbers each that a model's settings text holds.
// Only the served model has lists of its own; every other model shares them.
using SettingsLists = std::array<const char*, 4>;

const SettingsLists& SettingsListsOfModel(qint32 /*modelId*/)
{
    static const SettingsLists served{"0,0,0,0", "0,0,0,0", "5,3,1,1", "0,0,0,0"};
    return served;
}

constexpr int AscentList = 2;   // scale, limit A, limit B, spare

} // namespace

AscentLimits AscentLimitsOfModel(qint32 modelId)
{
    const QStringList numbers = QString::fromLatin1(SettingsListsOfModel(modelId)[AscentList]).split(',');
    return {quint8(Val(numbers[1])), quint8(Val(numbers[2]))};
}

void ParseSettingsText()
{
    if (gv.CurrentDive.MODELID != kServedModel)
        return;
    const SettingsLists& lists = SettingsListsOfModel(kServedModel);
    for (int k = 0; k < 4; ++k) {
        const QStringList numbers = QString::fromLatin1(lists[k]).split(',');
        gv.BarGraphScale[k] = quint8(Val(numbers[0]));
        for (int i = 1; i < 4; ++i)
            gv.BarGraphScale[3 + 3 * k + i] = quint8(Val(numbers[i]));
    }
}

void ModelDefaultsText(const db::Value& modelId)
{
    if (Is(Code(modelId), kServedModel))
        gv.BarGraphScale[2] = 5;
}

void PrintTextAligned(PrintSurface& printer, float x, float y, const QString& text, int alignment)
{
    printer.SetCurrentY(y);
    const float width = CSng(printer.TextWidth(text));
    if (alignment == 0)
        printer.SetCurrentX(x);
    else if (alignment == 1)
        printer.SetCurrentX(x - width);
    else if (alignment == 2)
        printer.SetCurrentX((x - width) / 2);
    printer.Print(text, true);
}

float PrintWrappedText(PrintSurface& printer, const QString& text, float x, float right, float y)
{
    printer.SetCurrentX(x);
    printer.SetCurrentY(y);
    for (const QChar ch : text) {
        if (!(printer.CurrentX() < right - 0.15)) {
            if (ch != ' ')
                printer.Print("-", false);
            printer.Print(QString(), true);
            printer.SetCurrentX(x);
        }
        printer.Print(QString(ch), false);
    }
    printer.Print(QString(), true);
    return CSng(printer.CurrentY());
}

} // namespace kvl
