#include "site_gear/core/GearData.h"

#include "platform/runtime/Runtime.h"
#include "shell/core/Units.h"
#include "site_gear/core/Location.h"

namespace kvl::gear {

namespace {

const std::array<GearKindInfo, kGearKindCount> kKinds{{
    {"Gear", "Name:", "GEARS", "GEAR"},
    {"Regulator", "Regulator:", "REGULATORS", "REGULATOR"},
    {"Alt. Air Source", "Alt. Air Source:", "ALTAIRSOURCE", "AIRSOURCE"},
    {"BC", "BC:", "BCS", "BC"},
    {"Gauges", "Gauges:", "GAUGES", "GAUGES"},
    {"Suit", "Suit:", "SUITS", "SUIT"},
    {"Boots", "Boots:", "BOOTS", "BOOTS"},
    {"Gloves", "Gloves:", "GLOVES", "GLOVES"},
    {"Hood", "Hood:", "HOODS", "HOOD"},
    {"Mask", "Mask:", "MASKS", "MASK"},
    {"Snorkel", "Snorkel:", "SNORKELS", "SNORKEL"},
    {"Fins", "Fins:", "FINS", "FINS"},
    {"Cylinder", "Cylinder:", "CYLINDERS", "CYLINDER"},
}};

const std::array<WeightInfo, kWeightCount> kWeights{{
    {"Weight Belt:", "BELTWEIGHT"},
    {"Intergrated Weight:", "INTWEIGHT"},
    {"Other Weight:", "OTHERWEIGHT"},
}};

QString Table(int kind) { return QString::fromLatin1(kKinds.at(kind).table); }
QString Field(int kind) { return QString::fromLatin1(kKinds.at(kind).field); }
QString WeightField(int box) { return QString::fromLatin1(kWeights.at(box).field); }

// "GEAR, REGULATOR, ..., BELTWEIGHT, INTWEIGHT, OTHERWEIGHT".
QString GearColumns(const QString& setColumn)
{
    QStringList columns{setColumn};
    for (int kind = kFirstItem; kind < kGearKindCount; ++kind)
        columns << Field(kind);
    for (int box = 0; box < kWeightCount; ++box)
        columns << WeightField(box);
    return columns.join(QStringLiteral(", "));
}

// The gear columns of one row of DIVEDATA (setColumn GEAR) or GEARS (NAME).
std::optional<StoredGear> ReadGear(db::Database& db, const QString& setColumn, const QString& from,
                                   const db::Params& params)
{
    auto rows = db.OpenSnapshot("Select " + GearColumns(setColumn) + " from " + from, params);
    if (rows->EOF())
        return std::nullopt;
    StoredGear gear;
    gear.set = rows->Field(setColumn);
    for (int kind = kFirstItem; kind < kGearKindCount; ++kind)
        gear.items[kind] = rows->Field(Field(kind));
    for (int box = 0; box < kWeightCount; ++box)
        gear.weights[box] = rows->Field(WeightField(box));
    gear.items[kGear] = gear.set;
    return gear;
}

bool IsNone(const QString& choice)
{
    return choice.isEmpty() || choice.compare(kNone, Qt::CaseInsensitive) == 0;
}

// SET clauses and their values, one per column.
struct Assignments {
    QStringList clauses;
    db::Params values;
    void Add(const QString& column, const db::Value& value)
    {
        clauses << column + QStringLiteral(" = ?");
        values.push_back(value);
    }
};

// The pounds a weight box stands for: what the user typed, else the stored value it shows.
db::Value Pounds(const GearScreen& screen, const EditedControls& edited, int box)
{
    if (edited.Has(GearControl::Text1, box))
        return WeightFromText(screen.weights[box]);
    return screen.pounds[box];
}

void WriteDive(db::Database& db, qint32 diveId, const GearScreen& screen, const EditedControls& edited)
{
    Assignments dive;
    for (int kind = 0; kind < kGearKindCount; ++kind)
        if (edited.Has(GearControl::Combo1, kind))
            dive.Add(Field(kind), screen.choices[kind].isEmpty() ? kNone : screen.choices[kind]);
    for (int box = 0; box < kWeightCount; ++box)
        if (edited.Has(GearControl::Text1, box) || edited.Has(GearControl::SetWeight, box))
            dive.Add(WeightField(box), Pounds(screen, edited, box));
    if (dive.clauses.isEmpty())
        return;
    dive.values.push_back(diveId);
    db.Execute("UPDATE DIVEDATA SET " + dive.clauses.join(QStringLiteral(", ")) + " where DIVEID = ? ;", dive.values);
}

void WriteSet(db::Database& db, const GearScreen& screen, const EditedControls& edited, bool newSet)
{
    const QString& set = screen.choices[kGear];
    if (set.isEmpty() || set == kNone)
        return;
    const db::Value row = db.Scalar(QStringLiteral("Select rowid from GEARS where NAME = ? LIMIT 1 ;"), {set});
    if (row.IsNull())
        return;
    Assignments gear;
    for (int kind = kFirstItem; kind < kGearKindCount; ++kind)
        if ((newSet || edited.Has(GearControl::Combo1, kind)) && !IsNone(screen.choices[kind]))
            gear.Add(Field(kind), screen.choices[kind]);
    for (int box = 0; box < kWeightCount; ++box) {
        const db::Value pounds = Pounds(screen, edited, box);
        if ((newSet || edited.Has(GearControl::Text1, box)) && pounds.ToDouble() > 0)
            gear.Add(WeightField(box), pounds);
    }
    if (gear.clauses.isEmpty())
        return;
    gear.values.push_back(row);
    db.Execute("UPDATE GEARS SET " + gear.clauses.join(QStringLiteral(", ")) + " where rowid = ? ;", gear.values);
}

} // namespace

const std::array<GearKindInfo, kGearKindCount>& GearKinds() { return kKinds; }
const std::array<WeightInfo, kWeightCount>& GearWeights() { return kWeights; }

QStringList CatalogEntries(db::Database& db, int kind)
{
    // Names that differ only in case are listed apart, as they are stored.
    auto rows = db.OpenSnapshot("Select NAME from (Select DISTINCT NAME COLLATE BINARY as NAME from " + Table(kind) +
                                ") ORDER BY NAME COLLATE NOCASE ASC, NAME ASC ;");
    QStringList entries;
    if (rows->EOF())
        return entries;
    entries << kNone;
    for (; !rows->EOF(); rows->MoveNext()) {
        const db::Value name = rows->Field(QStringLiteral("NAME"));
        if (!name.IsNull() && !name.ToString().isEmpty() && name.ToString() != kNone)
            entries << name.ToString();
    }
    return entries;
}

bool HasSet(const db::Value& gear)
{
    return !gear.IsNull() && !IsNone(gear.ToString());
}

bool SetExists(db::Database& db, const QString& name)
{
    return !db.Scalar(QStringLiteral("Select 1 from GEARS where NAME = ? LIMIT 1 ;"), {name}).IsNull();
}

std::optional<StoredGear> ReadDiveGear(db::Database& db, qint32 diveId)
{
    return ReadGear(db, QStringLiteral("GEAR"), QStringLiteral("DIVEDATA where DIVEID = ? ;"), {diveId});
}

std::optional<StoredGear> ReadSet(db::Database& db, const QString& name)
{
    return ReadGear(db, QStringLiteral("NAME"), QStringLiteral("GEARS where NAME = ? LIMIT 1 ;"), {name});
}

db::Value StoredSetName(db::Database& db, qint32 diveId)
{
    return db.Scalar(QStringLiteral("Select GEAR from DIVEDATA where DIVEID = ? ;"), {diveId});
}

bool SetNeedsLoading(const db::Value& storedGear, const QString& chosen)
{
    return !storedGear.IsNull() && !chosen.isEmpty() && storedGear.ToString() != chosen.toUpper();
}

QString DiveWeightText(const db::Value& pounds)
{
    return pounds.IsNull() ? QString() : Format(WeightToDisplay(pounds), "###0.0");
}

QString SetWeightText(const db::Value& pounds)
{
    return pounds.IsNull() ? QString() : SingleToText(WeightToDisplay(pounds));
}

double WeightFromText(const QString& text)
{
    const double shown = Val(text);
    return gv.UnitWeight == 1 ? shown : site::SingleValue(KgToLb(shown)).ToDouble();
}

void WriteDiveItem(db::Database& db, qint32 diveId, int kind, const QString& choice)
{
    db.Execute("UPDATE DIVEDATA SET " + Field(kind) + " = ? where DIVEID = ? ;",
               {choice.isEmpty() ? kNone : choice, diveId});
}

void SaveGear(db::Database& db, qint32 diveId, const GearScreen& screen, const EditedControls& edited, bool newSet)
{
    db::Transaction transaction(db);
    WriteDive(db, diveId, screen, edited);
    WriteSet(db, screen, edited, newSet);
    transaction.Commit();
}

void AddCatalogName(db::Database& db, int kind, const QString& name)
{
    db.Execute("INSERT INTO " + Table(kind) + " (NAME) VALUES (?) ;", {name});
}

void DeleteCatalogName(db::Database& db, int kind, const QString& name, qint32 diveId)
{
    db::Transaction transaction(db);
    WriteDiveItem(db, diveId, kind, kNone);
    db.Execute("DELETE FROM " + Table(kind) + " Where NAME = ? ;", {name});
    transaction.Commit();
}

std::unique_ptr<db::Recordset> OpenAccessoryData(db::Database& db)
{
    return db.OpenSnapshot(QStringLiteral("Select ID, ACCESSORY from ACCESSORYDATA ORDER BY ID ;"));
}

std::vector<Accessory> ReadAccessories(db::Recordset& accessoryData)
{
    std::vector<Accessory> accessories;
    accessories.reserve(accessoryData.RecordCount());
    for (accessoryData.MoveFirst(); !accessoryData.EOF(); accessoryData.MoveNext())
        accessories.push_back({accessoryData.Field(QStringLiteral("ID")).ToLong(),
                               accessoryData.Field(QStringLiteral("ACCESSORY")).ToString()});
    return accessories;
}

std::vector<Accessory> ListAccessories(db::Database& db)
{
    return ReadAccessories(*OpenAccessoryData(db));
}

QString AccessoryKey(qint64 id)
{
    return QStringLiteral(" ") + QString::number(id);
}

qint64 AccessoryIdOfKey(const QString& key)
{
    return key.trimmed().toLongLong();
}

QSet<qint64> SetAccessories(db::Database& db, const QString& set)
{
    QSet<qint64> ids;
    auto rows = db.OpenSnapshot(QStringLiteral("Select ACCESSORYID from ACCESSORY where GEAR = ? ;"), {set});
    for (; !rows->EOF(); rows->MoveNext())
        ids.insert(rows->Field(QStringLiteral("ACCESSORYID")).ToLong());
    return ids;
}

bool AddAccessory(db::Database& db, const QString& name)
{
    const QString upper = name.toUpper();
    if (!db.Scalar(QStringLiteral("Select 1 from ACCESSORYDATA where ACCESSORY = ? LIMIT 1 ;"), {upper}).IsNull())
        return false;
    db.Execute(QStringLiteral("INSERT INTO ACCESSORYDATA (ACCESSORY) VALUES (?) ;"), {upper});
    return true;
}

void DeleteAccessory(db::Database& db, const QString& name)
{
    db::Transaction transaction(db);
    db.Execute(QStringLiteral("DELETE FROM ACCESSORY where ACCESSORYID IN "
                              "(Select ID from ACCESSORYDATA where ACCESSORY = ?) ;"),
               {name});
    db.Execute(QStringLiteral("DELETE FROM ACCESSORYDATA where ACCESSORY = ? ;"), {name});
    transaction.Commit();
}

void StoreSetAccessories(db::Database& db, const QString& set, const std::vector<qint64>& ids)
{
    db::Transaction transaction(db);
    db.Execute(QStringLiteral("Delete from ACCESSORY where GEAR = ? ;"), {set});
    for (qint64 id : ids)
        db.Execute(QStringLiteral("INSERT INTO ACCESSORY (GEAR, ACCESSORYID) VALUES (?, ?) ;"), {set, id});
    transaction.Commit();
}

} // namespace kvl::gear
