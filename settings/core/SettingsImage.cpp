#include "settings/core/SettingsImage.h"

#include <algorithm>
#include <array>

namespace kvl::settings {

namespace {

// How a column is read from the block.
enum class Read {
    None,           // not read (constant 0 for the columns the block has no place for)
    MaxDepthCode,   // even codes 0, 2, 4 -> 20, 23, 26 ft; 6..80 -> 30..400 ft
    Edt,            // bytes 2 (minutes) and 3 (hours), plain or BCD
    TurnPsi,        // 16 bits low first; outside 1000..3000 stored as 10000
    EndPsi,         // 16 bits low first; above 3000 stored as 300
    Bit,
    InvertedBit,    // 0 when the bit is set, else 1
    LowNibbleTo5,
    Bcd,
    Byte,
    Backlight,      // positions 0..2; the writer's 5 and 10 seconds read back as 1 and 2
    LowNibble,
    HighNibble,
    SampleCode,     // 0..6; anything above stored as 0
};

// How the writer rebuilds the column's bytes; Kept leaves them as read.
enum class Write { Kept, MaxDepthCode, Edt, Bit, Byte, BacklightSeconds, Zero, One };

struct Field {
    const char* column;   // nullptr for bits the writer sets without a column
    int byte;             // -1 when the column has no place in the block
    int bit;              // -1 for a whole value
    Read read;
    Write write;
    int min;              // range the writer accepts (for written columns)
    int max;
};

constexpr int NoByte = -1;
constexpr int Whole = -1;
constexpr int Flag = 1;

// The settings block, in the column order the decoders store it.
constexpr std::array<Field, 27> Layout{{
    {"MAXDEPTH", 0, Whole, Read::MaxDepthCode, Write::MaxDepthCode, 0, 400},
    {nullptr, 1, Whole, Read::None, Write::Zero, 0, 0},
    {"EDT", 2, Whole, Read::Edt, Write::Edt, 10, 900},
    {"TURNPSI", 4, Whole, Read::TurnPsi, Write::Kept, 0, 0},
    {"ENDPSI", 6, Whole, Read::EndPsi, Write::Kept, 0, 0},
    {"HOUR", 8, 4, Read::Bit, Write::Bit, 0, Flag},
    {"AUDIBLEALARM", 8, 5, Read::Bit, Write::Bit, 0, Flag},
    {"FO2", 8, 6, Read::Bit, Write::Bit, 0, Flag},
    {"UNITS", 8, 7, Read::Bit, Write::Bit, 0, Flag},
    {nullptr, 8, 3, Read::None, Write::One, 0, 0},
    {"GAUGE", NoByte, Whole, Read::None, Write::Kept, 0, 0},
    {"CONSERVE", NoByte, Whole, Read::None, Write::Kept, 0, 0},
    {"WATER", 8, 2, Read::Bit, Write::Bit, 0, Flag},
    {"RECEIVER", NoByte, Whole, Read::None, Write::Kept, 0, 0},
    {"NAVBACKLIGHT", 14, 1, Read::Bit, Write::Bit, 0, Flag},
    {"ASCENT", 14, 5, Read::InvertedBit, Write::Kept, 0, 0},
    {"CHRONO", 14, 5, Read::Bit, Write::Bit, 0, Flag},
    {"CHRONO_ASCENT_ON_OFF", 14, 6, Read::Bit, Write::Bit, 0, Flag},
    {"NAVDIVE", 14, 7, Read::Bit, Write::Bit, 0, Flag},
    {"ALTTIME", 14, 4, Read::Bit, Write::Bit, 0, Flag},
    {"MAXNIBG", 9, Whole, Read::LowNibbleTo5, Write::Kept, 0, 0},
    {"DTR", 10, Whole, Read::Bcd, Write::Kept, 0, 0},
    {"PO2", 11, Whole, Read::Byte, Write::Byte, 120, 160},
    {"BACKLIGHT", 12, Whole, Read::Backlight, Write::BacklightSeconds, 0, 2},
    {"SAFETYTIME", 13, Whole, Read::LowNibble, Write::Kept, 0, 0},
    {"SAFETYDEPTH", 13, Whole, Read::HighNibble, Write::Kept, 0, 0},
    {"DIVESAMPLE", 15, Whole, Read::SampleCode, Write::Byte, 0, 6},
}};

constexpr QLatin1String NothingWritten(". Nothing was written to the Radarar Edeze.");

int ByteAt(const QByteArray& bytes, int i)
{
    return i >= 0 && i < bytes.size() ? static_cast<quint8>(bytes[i]) : 0;
}

int FromBcd(int b)
{
    return (b / 16) * 10 + b % 16;
}

qint64 MaxDepthFromCode(int code)
{
    code = std::min(code, 80);
    const int i = code / 2;
    return code < 6 ? 20 + 3 * i : 30 + 10 * (i - 3);
}

int CodeFromMaxDepth(qint64 feet)
{
    const qint64 v = std::max<qint64>(feet, 20);
    const qint64 index = v < 30 ? (v - 20) / 3 : (v - 30) / 10 + 3;
    return static_cast<int>(2 * index);
}

qint64 Decode(const Field& f, const QByteArray& b, EdtForm edt)
{
    const int v = ByteAt(b, f.byte);
    switch (f.read) {
    case Read::None: return 0;
    case Read::MaxDepthCode: return MaxDepthFromCode(v);
    case Read::Edt:
        if (edt == EdtForm::Bcd)
            return (ByteAt(b, 3) % 16) * 100 + FromBcd(ByteAt(b, 2));
        return ByteAt(b, 3) * 100 + ByteAt(b, 2);
    case Read::TurnPsi: {
        const int psi = ByteAt(b, f.byte + 1) * 256 + v;
        return psi > 3000 || psi < 1000 ? 10000 : psi;
    }
    case Read::EndPsi: {
        const int psi = ByteAt(b, f.byte + 1) * 256 + v;
        return psi > 3000 ? 300 : psi;
    }
    case Read::Bit: return (v >> f.bit) & 1;
    case Read::InvertedBit: return ((v >> f.bit) & 1) == 1 ? 0 : 1;
    case Read::LowNibbleTo5: return std::min(v % 16, 5);
    case Read::Bcd: return FromBcd(v);
    case Read::Byte: return v;
    case Read::Backlight: return v == 5 ? 1 : std::min(v, 2);
    case Read::LowNibble: return v % 16;
    case Read::HighNibble: return v / 16;
    case Read::SampleCode: return v > 6 ? 0 : v;
    }
    return 0;
}

// A flag counts as set when it is not 0, so the log's Yes (-1) writes as 1.
qint64 Number(const Field& f, const db::Value& value)
{
    const qint64 n = value.ToLong();
    return f.write == Write::Bit ? (n != 0 ? 1 : 0) : n;
}

} // namespace

SettingsValues DecodeSettingsBlock(const QByteArray& block, EdtForm edt)
{
    SettingsValues values;
    for (const Field& f : Layout) {
        if (f.column)
            values.emplace_back(QString::fromLatin1(f.column), db::Value(Decode(f, block, edt)));
    }
    return values;
}

db::Value ValueOf(const SettingsValues& values, const QString& column)
{
    for (const auto& [name, value] : values) {
        if (name.compare(column, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

QString CheckSettingsValues(const SettingsValues& values)
{
    for (const Field& f : Layout) {
        if (!f.column || f.write == Write::Kept)
            continue;
        const db::Value value = ValueOf(values, QString::fromLatin1(f.column));
        const qint64 n = Number(f, value);
        const bool minutesOk = f.write != Write::Edt || n % 100 < 60;
        if (n < f.min || n > f.max || !minutesOk) {
            // A depth below the shallowest code counts as that code, so only the top is a limit.
            if (f.write == Write::MaxDepthCode && n <= f.max)
                continue;
            return "Invalid setting " + QString::fromLatin1(f.column) + " = " + value.ToString() + NothingWritten;
        }
    }
    return {};
}

QByteArray EncodeSettingsBlock(const QByteArray& asRead, const SettingsValues& values)
{
    QByteArray out = asRead.left(PageBytes);
    out.resize(PageBytes, '\0');
    auto put = [&out](int i, qint64 v) { out[i] = static_cast<char>(v & 0xFF); };
    for (const Field& f : Layout) {
        const qint64 n = f.column ? Number(f, ValueOf(values, QString::fromLatin1(f.column))) : 0;
        switch (f.write) {
        case Write::Kept: break;
        case Write::MaxDepthCode: put(f.byte, CodeFromMaxDepth(n)); break;
        case Write::Edt:
            put(f.byte, n % 100);
            put(f.byte + 1, n / 100);
            break;
        case Write::Bit:
        case Write::One: {
            const int mask = 1 << f.bit;
            const int set = f.write == Write::One || n != 0 ? mask : 0;
            put(f.byte, (ByteAt(out, f.byte) & ~mask) | set);
            break;
        }
        case Write::Byte: put(f.byte, n); break;
        case Write::BacklightSeconds: put(f.byte, n * 5); break;
        case Write::Zero: put(f.byte, 0); break;
        }
    }
    return out;
}

DCNavLeg DecodeLeg(const QByteArray& bytes)
{
    const int b1 = ByteAt(bytes, 1);
    DCNavLeg leg;
    leg.heading = (b1 & 3) * 256 + ByteAt(bytes, 0);
    leg.audible = (b1 & 4) != 0;
    leg.light = (b1 & 8) != 0;
    leg.cdt = (b1 / 16) * 3600 + ByteAt(bytes, 2) * 60 + ByteAt(bytes, 3);
    return leg;
}

QByteArray EncodeLeg(const DCNavLeg& leg)
{
    const int hours = leg.cdt / 3600;
    QByteArray bytes(LegBytes, '\0');
    bytes[0] = static_cast<char>(leg.heading % 256);
    bytes[1] = static_cast<char>(leg.heading / 256 + (leg.audible ? 4 : 0) + (leg.light ? 8 : 0) + hours * 16);
    bytes[2] = static_cast<char>((leg.cdt % 3600) / 60);
    bytes[3] = static_cast<char>(leg.cdt % 60);
    return bytes;
}

std::vector<DCNavLeg> DecodeLegs(const QByteArray& legPages)
{
    std::vector<DCNavLeg> legs;
    for (int slot = 0; slot < LegSlots; ++slot) {
        const DCNavLeg leg = DecodeLeg(legPages.mid(slot * LegBytes, LegBytes));
        if (leg.cdt == 0)
            break;
        legs.push_back(leg);
    }
    return legs;
}

QString CheckLegs(const std::vector<DCNavLeg>& legs)
{
    constexpr int MaxCdt = 9 * 3600 + 59 * 60 + 59;
    if (static_cast<int>(legs.size()) > MaxLegsWritten)
        return "Too many navigation legs (" + QString::number(MaxLegsWritten) + " at most)" + NothingWritten;
    for (std::size_t i = 0; i < legs.size(); ++i) {
        const DCNavLeg& leg = legs[i];
        if (leg.heading < 0 || leg.heading > 360 || leg.cdt < 1 || leg.cdt > MaxCdt)
            return "Invalid navigation leg " + QString::number(i + 1) + NothingWritten;
    }
    return {};
}

std::vector<WritePage> BuildWritePages(const QByteArray& blockAsRead, const SettingsValues& values,
                                       const std::vector<DCNavLeg>& legs)
{
    std::vector<WritePage> pages{{SettingsPage, EncodeSettingsBlock(blockAsRead, values)}};
    if (legs.empty())
        return pages;
    // The slot after the last leg stays zero: in the same page, or as a whole next page.
    const int legPages = static_cast<int>(legs.size()) / LegsPerPage + 1;
    QByteArray data(legPages * PageBytes, '\0');
    for (std::size_t i = 0; i < legs.size(); ++i)
        data.replace(static_cast<int>(i) * LegBytes, LegBytes, EncodeLeg(legs[i]));
    for (int p = 0; p < legPages; ++p)
        pages.push_back({FirstLegPage + p, data.mid(p * PageBytes, PageBytes)});
    return pages;
}

} // namespace kvl::settings
