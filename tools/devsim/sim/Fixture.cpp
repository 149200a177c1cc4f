#include "tools/devsim/sim/Fixture.h"

#include <QDate>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTime>

#include <algorithm>
#include <cmath>

namespace devsim {
namespace {

constexpr int SettingsPage = 5;
constexpr int FirstLegPage = 48;
constexpr int LegSlots = 52;
constexpr int FirstIndexPage = 64;
constexpr int IndexEntries = 100;
constexpr int FirstRingPage = 114;
constexpr int LastRingPage = 4095;
constexpr int SurfaceTemperature = 78;

int NextRing(int page)
{
    return page >= LastRingPage ? FirstRingPage : page + 1;
}

quint8 Bcd(int value)
{
    return quint8(((value / 10) % 10) * 16 + value % 10);
}

// A flag of the fixture: true or false, or a number (any but 0 is set); a missing key is clear.
bool IsFlag(const QJsonValue& v)
{
    return v.isUndefined() || v.isBool() || v.isDouble();
}

int Bit(const QJsonObject& o, const char* key)
{
    const QJsonValue v = o.value(QLatin1String(key));
    return v.isBool() ? int(v.toBool()) : int(v.toDouble() != 0);
}

// The first of `keys` in `o` that is not a flag, named as `where` + key; empty when all are.
QString NotAFlag(const QJsonObject& o, std::initializer_list<const char*> keys, const QString& where)
{
    for (const char* key : keys) {
        if (!IsFlag(o.value(QLatin1String(key))))
            return where + QLatin1String(key) + QStringLiteral(" must be true, false or a number");
    }
    return {};
}

constexpr std::initializer_list<const char*> SettingsFlags{"WATER", "HOUR", "AUDIBLEALARM", "FO2", "UNITS",
                                                           "NAVBACKLIGHT", "ALTTIME", "CHRONO",
                                                           "CHRONO_ASCENT_ON_OFF", "NAVDIVE"};
constexpr std::initializer_list<const char*> LegFlags{"audible", "light"};

// The settings block as the device keeps it (the writer's form).
Page EncodeSettings(const QJsonObject& s)
{
    Page b{};
    const int maxDepth = std::max(20, s.value("MAXDEPTH").toInt(130));
    b[0] = quint8(2 * (maxDepth < 30 ? (maxDepth - 20) / 3 : (maxDepth - 30) / 10 + 3));
    const int edt = s.value("EDT").toInt(45);
    b[2] = quint8(edt % 100);
    b[3] = quint8(edt / 100);
    const int turn = s.value("TURNPSI").toInt(1500);
    b[4] = quint8(turn % 256);
    b[5] = quint8(turn / 256);
    const int end = s.value("ENDPSI").toInt(500);
    b[6] = quint8(end % 256);
    b[7] = quint8(end / 256);
    b[8] = quint8(Bit(s, "WATER") * 4 + 8 + Bit(s, "HOUR") * 16 + Bit(s, "AUDIBLEALARM") * 32 + Bit(s, "FO2") * 64 +
                  Bit(s, "UNITS") * 128);
    b[9] = quint8(s.value("MAXNIBG").toInt(3) & 15);
    b[10] = Bcd(s.value("DTR").toInt(15));
    b[11] = quint8(s.value("PO2").toInt(140));
    b[12] = quint8(s.value("BACKLIGHT").toInt(1) * 5);
    b[13] = quint8((s.value("SAFETYDEPTH").toInt(1) & 15) * 16 + (s.value("SAFETYTIME").toInt(3) & 15));
    b[14] = quint8(Bit(s, "NAVBACKLIGHT") * 2 + Bit(s, "ALTTIME") * 16 + Bit(s, "CHRONO") * 32 +
                   Bit(s, "CHRONO_ASCENT_ON_OFF") * 64 + Bit(s, "NAVDIVE") * 128);
    b[15] = quint8(s.value("DIVESAMPLE").toInt(1));
    return b;
}

bool ReadBytes(const QJsonValue& v, Page& page)
{
    const QJsonArray a = v.toArray();
    if (a.size() != PageSize)
        return false;
    for (int k = 0; k < PageSize; ++k)
        page[size_t(k)] = quint8(a[k].toInt());
    return true;
}

// The first leg alarm that is not a flag, named by its fixture key; empty when all are.
QString LegFlagError(const QJsonArray& legs)
{
    for (int i = 0; i < legs.size(); ++i) {
        const QString error = NotAFlag(legs[i].toObject(), LegFlags, QStringLiteral("legs[%1].").arg(i));
        if (!error.isEmpty())
            return error;
    }
    return {};
}

void PutLegs(Device& device, const QJsonArray& legs)
{
    for (int i = 0; i < legs.size() && i < LegSlots; ++i) {
        const QJsonObject leg = legs[i].toObject();
        const int heading = leg.value("heading").toInt() & 0x3FF;
        const int cdt = leg.value("cdt").toInt();
        Page& p = device.PageAt(FirstLegPage + i / 4);
        const size_t at = size_t((i % 4) * 4);
        p[at] = quint8(heading % 256);
        p[at + 1] = quint8(heading / 256 + Bit(leg, "audible") * 4 + Bit(leg, "light") * 8 + ((cdt / 3600) & 15) * 16);
        p[at + 2] = quint8((cdt % 3600) / 60);
        p[at + 3] = quint8(cdt % 60);
    }
}

struct Sample {
    int seconds = 0;
    int depth = 0;
    int temperature = SurfaceTemperature;
};

int RateCode(int seconds)
{
    switch (seconds) {
    case 2: return 0;
    case 30: return 2;
    case 60: return 3;
    default: return 1;
    }
}

std::vector<Sample> DiveSamples(const QJsonObject& dive, int rate)
{
    std::vector<Sample> samples;
    if (dive.contains("samples")) {
        for (const QJsonValue& v : dive.value("samples").toArray()) {
            const QJsonArray s = v.toArray();
            samples.push_back({s.at(0).toInt(), s.at(1).toInt(), s.size() > 2 ? s.at(2).toInt() : SurfaceTemperature});
        }
        return samples;
    }
    const QJsonObject profile = dive.value("profile").toObject();
    const int duration = profile.value("duration").toInt(1800);
    const int maxDepth = profile.value("maxDepth").toInt(60);
    for (int t = rate; t <= duration; t += rate) {
        const double x = double(t) / duration;
        const double shape = x < 0.15 ? x / 0.15 : x > 0.8 ? (1.0 - x) / 0.2 : 1.0 - 0.2 * (x - 0.15);
        samples.push_back({t, int(std::lround(maxDepth * std::clamp(shape, 0.0, 1.0))), 74 - t / 600});
    }
    return samples;
}

void PutSample(Page& page, int slot, const Sample& s)
{
    const size_t at = size_t(slot * 8);
    page[at] = quint8((s.seconds / 3600) & 63);
    page[at + 1] = quint8((s.seconds / 60) % 60);
    page[at + 2] = quint8(s.seconds % 60);
    page[at + 3] = quint8(1 << 5);
    page[at + 4] = quint8((s.depth >> 4) & 0xFF);
    page[at + 5] = 0;
    page[at + 6] = quint8(s.temperature);
    page[at + 7] = quint8((s.depth & 15) << 4);
}

struct DiveHeader {
    QDate date;
    QTime time;
    int number = 0;
    int mode = 0;
};

std::array<quint8, 8> EncodeIndexEntry(const DiveHeader& h, int sa, int ea)
{
    const int y = h.date.year() - 2000;
    std::array<quint8, 8> b{};
    b[0] = quint8((h.mode ? 128 : 0) | (h.number & 127));
    b[1] = quint8((h.date.day() & 31) | (((y / 8) & 7) << 5));
    b[2] = quint8(h.time.minute());
    b[3] = quint8((h.time.hour() & 31) | (((h.number / 128) & 7) << 5));
    b[4] = quint8(sa & 0xFF);
    b[5] = quint8(((sa >> 8) & 15) | ((y % 8) << 4));
    b[6] = quint8(ea & 0xFF);
    b[7] = quint8(((ea >> 8) & 15) | ((h.date.month() & 15) << 4));
    return b;
}

// Writes one dive from `start`; returns its end page.
int PutDive(Device& device, const QJsonObject& dive, const Page& settings, int start)
{
    const int rate = dive.value("sampleRate").toInt(15);
    const std::vector<Sample> samples = DiveSamples(dive, rate);

    // The settings copy keeps the elapsed-dive-time alarm as BCD digits.
    Page copy = settings;
    const int edt = settings[3] * 100 + settings[2];
    copy[2] = Bcd(edt % 100);
    copy[3] = quint8((edt / 100) % 10);
    copy[15] = quint8(RateCode(rate));
    device.PageAt(start) = copy;

    int page = NextRing(start);
    Page startPage{};
    const QTime interval = QTime::fromString(dive.value("interval").toString("00:00"), "hh:mm");
    startPage[13] = Bcd(interval.isValid() ? interval.minute() : 0);
    startPage[14] = Bcd(interval.isValid() ? interval.hour() : 0);
    device.PageAt(page) = startPage;

    for (size_t i = 0; i < samples.size(); i += 2) {
        page = NextRing(page);
        Page p{};
        PutSample(p, 0, samples[i]);
        if (i + 1 < samples.size())
            PutSample(p, 1, samples[i + 1]);
        device.PageAt(page) = p;
    }

    page = NextRing(page);
    int maxDepth = 0;
    int minTemp = 255;
    for (const Sample& s : samples) {
        maxDepth = std::max(maxDepth, s.depth);
        minTemp = std::min(minTemp, s.temperature);
    }
    const int bottom = samples.empty() ? 0 : samples.back().seconds;
    Page summary{};
    summary[0] = quint8((maxDepth & 15) << 4);
    summary[1] = quint8((maxDepth >> 4) & 0xFF);
    summary[3] = quint8((bottom / 60) % 60);
    summary[4] = quint8(bottom / 3600);
    summary[5] = quint8(bottom % 60);
    summary[6] = quint8(dive.value("o2").toInt(21));
    summary[7] = quint8(samples.empty() ? SurfaceTemperature : minTemp);
    summary[12] = 0xAB;
    summary[13] = 0xCD;
    summary[14] = 0xEF;
    device.PageAt(page) = summary;
    return page;
}

void PutPointer(Page& pointers, int at, int page, int offset)
{
    const int value = page * 16 + offset;
    pointers[size_t(at)] = quint8(value & 0xFF);
    pointers[size_t(at + 1)] = quint8((value >> 8) & 15);
}

} // namespace

// First family: BCD serial at 10..12 of page 0, index entries on pages 36..67,
// the pointers on page 4 (page in b5's low nibble and b4's high one, offset in b4's low).
constexpr int FamilyAFirstIndexPage = 36;
constexpr int FamilyAIndexEntries = 64;

void PutFamilyAPointer(Page& pointers, int at, int page, int offset)
{
    pointers[size_t(at)] = quint8(((page & 15) << 4) | (offset & 15));
    pointers[size_t(at + 1)] = quint8((page >> 4) & 15);
}

std::array<quint8, 8> EncodeFamilyAEntry(const QJsonObject& dive)
{
    const QDate date = QDate::fromString(dive.value("date").toString(), Qt::ISODate);
    const QTime time = QTime::fromString(dive.value("time").toString(), "hh:mm");
    const int sa = dive.value("sa").toInt(100);
    const int ea = dive.value("ea").toInt(sa + 10);
    const int hour12 = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    const int yy = date.year() % 100;
    return {Bcd(time.minute()),
            quint8((time.hour() >= 12 ? 0x80 : 0) | ((hour12 / 10) << 4) | (hour12 % 10)),
            Bcd(dive.value("number").toInt(1)),
            quint8(((yy / 10) << 6) | ((date.day() / 10) << 4) | (date.day() % 10)),
            quint8((date.month() << 4) | (yy % 10)),
            quint8(sa & 255),
            quint8(((ea & 15) << 4) | ((sa >> 8) & 15)),
            quint8(ea >> 4)};
}

bool BuildFamilyA(const QJsonObject& fixture, Device& device)
{
    device.familyA = true;
    const int serial = fixture.value("serial").toInt(10203);
    Page& identity = device.PageAt(0);
    identity[10] = Bcd(serial / 10000);
    identity[11] = Bcd((serial / 100) % 100);
    identity[12] = Bcd(serial % 100);
    const QJsonArray dives = fixture.value("dives").toArray();
    if (dives.size() >= FamilyAIndexEntries)
        return false;
    int slot = 0;
    for (const QJsonValue& v : dives) {
        const auto entry = EncodeFamilyAEntry(v.toObject());
        std::copy(entry.begin(), entry.end(), device.PageAt(FamilyAFirstIndexPage + slot / 2).begin() + (slot % 2) * 8);
        ++slot;
    }
    Page& pointers = device.PageAt(4);
    PutFamilyAPointer(pointers, 4, FamilyAFirstIndexPage, 0);
    PutFamilyAPointer(pointers, 6, FamilyAFirstIndexPage + slot / 2, (slot % 2) * 8);
    return true;
}

QString FixturesDir()
{
#ifdef DEVSIM_FIXTURES_DIR
    return QStringLiteral(DEVSIM_FIXTURES_DIR);
#else
    return {};
#endif
}

bool LoadFixture(const QString& path, Device& device, BuiltFixture* built, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot read ") + path;
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (!doc.isObject()) {
        if (error)
            *error = path + QStringLiteral(": ") + parseError.errorString();
        return false;
    }
    return BuildFixture(doc.object(), device, built, error);
}

bool BuildFixture(const QJsonObject& fixture, Device& device, BuiltFixture* built, QString* error)
{
    auto fail = [&](const QString& text) {
        if (error)
            *error = text;
        return false;
    };
    if (fixture.value("family").toString() == QLatin1String("A")) {
        if (!BuildFamilyA(fixture, device))
            return fail(QStringLiteral("at most 63 dives fit the index"));
        return true;
    }
    if (fixture.contains("identity"))
        device.identity = fixture.value("identity").toString();
    else if (fixture.contains("firmware"))
        device.identity = QStringLiteral("TARQX07 V%1 0001").arg(fixture.value("firmware").toString());

    const int serial = fixture.value("serial").toInt(10203);
    Page& identity = device.PageAt(0);
    identity[11] = quint8(serial / 10000);
    identity[12] = quint8((serial / 100) % 100);
    identity[13] = quint8(serial % 100);

    Page settings{};
    if (fixture.contains("settingsBytes")) {
        if (!ReadBytes(fixture.value("settingsBytes"), settings))
            return fail(QStringLiteral("settingsBytes needs 16 bytes"));
    } else {
        const QJsonObject values = fixture.value("settings").toObject();
        if (const QString bad = NotAFlag(values, SettingsFlags, QStringLiteral("settings.")); !bad.isEmpty())
            return fail(bad);
        settings = EncodeSettings(values);
    }
    device.PageAt(SettingsPage) = settings;
    const QJsonArray legs = fixture.value("legs").toArray();
    if (const QString bad = LegFlagError(legs); !bad.isEmpty())
        return fail(bad);
    PutLegs(device, legs);

    const QJsonObject indexStart = fixture.value("indexStart").toObject();
    int slot = (indexStart.value("page").toInt(FirstIndexPage) - FirstIndexPage) * 2 +
               (indexStart.value("offset").toInt(0) ? 1 : 0);
    if (slot < 0 || slot >= IndexEntries)
        return fail(QStringLiteral("indexStart is not an index entry"));
    const QJsonArray dives = fixture.value("dives").toArray();
    if (dives.size() >= IndexEntries)
        return fail(QStringLiteral("at most 99 dives fit the index"));

    Page& pointers = device.PageAt(4);
    PutPointer(pointers, 4, FirstIndexPage + slot / 2, (slot % 2) * 8);
    int ring = fixture.value("ringStart").toInt(FirstRingPage);
    if (ring < FirstRingPage || ring > LastRingPage)
        return fail(QStringLiteral("ringStart is not a ring page"));
    for (const QJsonValue& v : dives) {
        const QJsonObject dive = v.toObject();
        DiveHeader h;
        h.date = QDate::fromString(dive.value("date").toString(), Qt::ISODate);
        h.time = QTime::fromString(dive.value("time").toString(), "hh:mm");
        h.number = dive.value("number").toInt(1);
        h.mode = dive.value("mode").toInt(0);
        if (!h.date.isValid() || !h.time.isValid())
            return fail(QStringLiteral("a dive needs a date (yyyy-mm-dd) and a time (hh:mm)"));
        const int sa = ring;
        const int ea = PutDive(device, dive, settings, sa);
        const int indexPage = FirstIndexPage + slot / 2;
        const int offset = (slot % 2) * 8;
        const auto entry = EncodeIndexEntry(h, sa, ea);
        std::copy(entry.begin(), entry.end(), device.PageAt(indexPage).begin() + offset);
        if (built)
            built->dives.push_back({h.number, indexPage, offset, sa, ea});
        slot = (slot + 1) % IndexEntries;
        ring = NextRing(ea);
    }
    PutPointer(pointers, 6, FirstIndexPage + slot / 2, (slot % 2) * 8);

    const QJsonObject pages = fixture.value("pages").toObject();
    for (auto it = pages.begin(); it != pages.end(); ++it) {
        bool ok = false;
        const int page = it.key().toInt(&ok);
        Page raw{};
        if (!ok || page < 0 || page >= PageCount || !ReadBytes(it.value(), raw))
            return fail(QStringLiteral("bad page override ") + it.key());
        device.PageAt(page) = raw;
    }
    return true;
}

} // namespace devsim
