#include "analysis/core/QueryBuilder.h"

#include "platform/runtime/Runtime.h"
#include "shell/core/Lookups.h"
#include "shell/core/Units.h"

#include <QDate>
#include <QRegularExpression>

#include <algorithm>

namespace kvl {

namespace {

// The filter being built: its clauses and the values they bind.
class Filter {
public:
    void Add(const QString& clause, db::Params values = {})
    {
        text_ += text_.isEmpty() ? QStringLiteral(" Where ") : QStringLiteral(" And ");
        text_ += clause;
        for (db::Value& value : values)
            params_.push_back(std::move(value));
    }
    const QString& Text() const { return text_; }
    db::Params& Params() { return params_; }

private:
    QString text_;
    db::Params params_;
};

enum class Quantity { Depth, Minutes, Temperature };

// A number written into the statement: plain decimal notation, "." as the point.
QString NumberText(double value)
{
    return db::Value(value).ToString();
}

void AddRange(Filter& filter, const char* column, const RangeCriterion& range, Quantity quantity,
              const QueryUnits& units)
{
    if (!range.ticked)
        return;
    QString fromText = range.from;
    QString toText = range.to;
    const double from = ParseDecimal(fromText);   // "12,5" is 12.5
    const double to = ParseDecimal(toText);
    const double lo = std::min(from, to);
    const double hi = std::max(from, to);
    if (lo == 0 && hi == 0)
        return;
    QString loValue = NumberText(lo);
    QString hiValue = NumberText(hi);
    if (quantity == Quantity::Depth && units.depth != 1) {
        loValue = SingleToText(MToFt(lo));
        hiValue = SingleToText(MToFt(hi));
    } else if (quantity == Quantity::Temperature && units.temp != 1) {
        loValue = SingleToText(CToF(lo));
        hiValue = SingleToText(CToF(hi));
    }
    const QString name = QString::fromLatin1(column);
    filter.Add(name + " <= " + hiValue + " and " + name + " >= " + loValue);
}

void AddDiveDate(Filter& filter, const RangeCriterion& range, int unitDate)
{
    if (!range.ticked)
        return;
    QString lo = QueryDate(range.from, unitDate);
    QString hi = QueryDate(range.to, unitDate);
    if (hi < lo)
        std::swap(lo, hi);
    if (lo.isEmpty() && hi.isEmpty())
        return;
    if (lo == hi)
        filter.Add("DIVEDATE = '" + lo + "'");
    else
        filter.Add("DIVEDATE >= '" + lo + "' and DIVEDATE <= '" + hi + "'");
}

// The id of the first row the lookup finds for the name, or none.
std::optional<qint64> LookUpId(db::Database& db, const QString& sql, const QString& name)
{
    const db::Value id = db.Scalar(sql, {name});
    if (id.IsNull())
        return std::nullopt;
    return id.ToLong();
}

struct PersonKindInfo {
    int userType;
    const char* table;
    const char* idColumn;
};

void AddPerson(Filter& filter, db::Database& db, const NameCriterion& person, const PersonKindInfo& kind)
{
    if (!person.ticked || person.name.isEmpty())
        return;
    const auto id = LookUpId(
        db, "Select USERID from USERINFO where NAME = ? and USERTYPE = " + QString::number(kind.userType) + " ;",
        person.name);
    if (id)
        filter.Add(QStringLiteral("DIVEID IN (Select DIVEID from ") + kind.table + " Where (" + kind.idColumn + " = " +
                   QString::number(*id) + "))");
}

void AddName(Filter& filter, const NameCriterion& criterion, const QString& clause)
{
    if (criterion.ticked && !criterion.name.isEmpty())
        filter.Add(clause, {criterion.name});
}

void AddModeAndStatus(Filter& filter, const QueryCriteria& c)
{
    if (c.model) {
        QString code = c.modelText;
        filter.Add("MODELID = " + QString::number(ModelCodeToId(code)));
    }
    if (c.diveMode) {
        if (c.modeNormal)
            filter.Add(QStringLiteral("FO2 <= 21"));
        else if (c.modeNavigation)
            filter.Add(QStringLiteral("FO2 > 21"));
    }
    if (c.diveStatus) {
        if (c.statusNormal)
            filter.Add(QStringLiteral("DECOMDIVE = 0 And VIOLATION = 0 and GAUGEDIVE = 0"));
        else if (c.statusDeco)
            filter.Add(QStringLiteral("DECOMDIVE = 1"));
        else if (c.statusViolation)
            filter.Add(QStringLiteral("VIOLATION = 1"));
        else if (c.statusGauge)
            filter.Add(QStringLiteral("GAUGEDIVE <> 0"));   // a yes is -1 in the log
    }
}

} // namespace

QString QueryDate(const QString& text, int unitDate)
{
    static const QRegularExpression shape(QStringLiteral(R"(^(\d\d)/(\d\d)/(\d\d\d\d)$)"));
    const auto m = shape.match(text.trimmed());
    if (!m.hasMatch())
        return {};
    const int first = m.captured(1).toInt();
    const int second = m.captured(2).toInt();
    const int year = m.captured(3).toInt();
    const QDate date = unitDate == 1 ? QDate(year, first, second) : QDate(year, second, first);
    return date.isValid() ? date.toString(QStringLiteral("yyyy/MM/dd")) : QString();
}

BuiltQuery BuildQuery(db::Database& db, const QueryCriteria& c, const QueryUnits& units, const ExtremeValues& extremes)
{
    Filter filter;
    AddModeAndStatus(filter, c);
    AddDiveDate(filter, c.diveDate, units.date);
    AddRange(filter, "MDEPTH", c.maxDepth, Quantity::Depth, units);
    AddRange(filter, "BTIME", c.bottomTime, Quantity::Minutes, units);
    AddRange(filter, "TEMP", c.temperature, Quantity::Temperature, units);
    for (int i = 0; i < kExtremeCount; ++i)
        if (c.extremes[static_cast<size_t>(i)])
            filter.Add(QString::fromLatin1(InfoOf(ExtremeAt(i)).column) + " = ?", {extremes[static_cast<size_t>(i)]});
    AddPerson(filter, db, c.buddy, {4, "BUDDIES", "BUDDYID"});
    AddPerson(filter, db, c.crew, {3, "CREWS", "CREWID"});
    AddPerson(filter, db, c.captain, {2, "CAPTAIN", "CAPID"});
    AddName(filter, c.operatorName, QStringLiteral("OPERATOR = ?"));
    AddName(filter, c.location,
            QStringLiteral("LOCID IN (Select LOCID from LOCATIONS Where (LOCATIONNAME = ?))"));
    AddName(filter, c.site, QStringLiteral("SITEID IN (Select SITEID from DIVESITES Where (DIVESITE = ?))"));
    if (c.diveType.ticked && !c.diveType.name.isEmpty()) {
        if (const auto id = LookUpId(db, QStringLiteral("Select ID from DIVETYPEDATA where TYPEDATA = ? ;"), c.diveType.name))
            filter.Add("DIVEID IN (Select DIVEID from DIVETYPES Where (TYPEID = " + QString::number(*id) + "))");
    }
    AddName(filter, c.gear, QStringLiteral("GEAR = ?"));

    BuiltQuery query;
    query.sql = QString::fromLatin1(kQueryBase);
    // "All" takes every dive; the lists keep the other criteria unticked meanwhile.
    if (c.all || !filter.Text().isEmpty()) {
        query.sql += filter.Text() + QString::fromLatin1(kQueryOrder);
        query.params = std::move(filter.Params());
        query.runs = true;
    }
    return query;
}

} // namespace kvl
