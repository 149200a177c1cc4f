#include "settings/core/NavLegs.h"

#include "platform/runtime/Runtime.h"
#include "shell/core/Units.h"

#include <QLoggingCategory>

#include <array>
#include <cmath>

namespace kvl::settings {

namespace {

Q_LOGGING_CATEGORY(lcLegs, "kvl.settings")

const std::array<LegGridColumnInfo, LegColumnCount> GridColumns = {{
    {"LEG #", "Leg #"},
    {"HEADING", "Heading"},
    {"Count Down Time", "Count Down Time (CDT)"},
    {"Audible Alarm", "Audible Alarm"},
    {"Light Alarm", "Light Alarm"},
}};

const std::array<LegBarItem, LegBarEntryCount> Entries = {{
    {"Leg", "Leg #:", "Enter navigation leg number"},
    {"Heading", "Heading:", "Enter the navigation heading"},
    {"CDT", "CDT:", "Enter the navigation count down timer (h:mm:ss)"},
}};

const std::array<LegBarItem, size_t(LegButton::Count)> Buttons = {{
    {"Update", "", "Update navigation leg"},
    {"Insert", "", "Insert a navigation leg"},
    {"Add", "", "Add new navigation leg"},
    {"Delete", "", "Delete navigation leg"},
}};

const QString LegSettingTitle = QStringLiteral("Navigation Leg Setting");

FormMessage Refused(const char* text, const QString& title = LegSettingTitle, MsgIcon icon = MsgIcon::Critical)
{
    return {QString::fromLatin1(text), title, icon};
}

const FormMessage LegRefused =
    Refused("Invalid leg number. Please enter leg number from 1 to 99.");
const FormMessage HeadingRefused = Refused("Invalid heading. Please enter heading from 0 to 360.");
const FormMessage CdtRefused =
    Refused("Invalid count down time (CDT). Please enter CDT in 'h:mm:ss' format (9:59:59 max).");

LegRequest Refusal(const FormMessage& message)
{
    LegRequest request;
    request.refusal = message;
    return request;
}

bool LegInRange(double leg) { return leg >= 1 && leg <= 99; }
bool HeadingInRange(double heading) { return heading >= 0 && heading <= 360; }

QString TwoDigits(qint64 n) { return Format(double(n), "00"); }

const QString EditedWhere = QStringLiteral(" where DCID = ? and DCSERIALNO = -1");

void AddLeg(db::Database& db, qint32 modelId, int leg, int heading, qint32 seconds)
{
    db.Execute("INSERT INTO DC_NAV (DCID, DCSERIALNO, LEGNO, HEADING, CDT) Values (?, -1, ?, ?, ?) ;",
               {modelId, leg, heading, seconds});
}

} // namespace

const LegGridColumnInfo& LegGridColumnOf(LegGridColumn column) { return GridColumns[size_t(column)]; }
const LegBarItem& LegBarEntryOf(LegBarEntry entry) { return Entries[size_t(entry)]; }
const LegBarItem& LegButtonOf(LegButton button) { return Buttons[size_t(button)]; }

LegButton LegButtonOfKey(const QString& key)
{
    for (size_t i = 0; i < Buttons.size(); ++i) {
        if (key == QLatin1String(Buttons[i].key))
            return LegButton(i);
    }
    return LegButton::Count;
}

void ShowMessage(const FormMessage& message)
{
    MsgBox(message.text, MsgButtons::OK, message.icon, message.title);
}

double EntryNumber(const QString& text) { return std::nearbyint(Val(text)); }

LegRequest CheckLegButton(LegButton button, const LegEntries& entries, int legCount)
{
    const double leg = EntryNumber(entries.leg);
    const double heading = EntryNumber(entries.heading);
    if (leg == 0 && heading == 0 && entries.cdt.isEmpty()) {
        if (button == LegButton::Delete)
            return Refusal(Refused("Please enter the leg number to delete.", QStringLiteral("Delete Navigation Leg"),
                                   MsgIcon::Exclamation));
        return {};
    }
    const bool legChecked = button != LegButton::Add;
    if (legChecked && !LegInRange(leg))
        return Refusal(LegRefused);
    if (button == LegButton::Update && legCount == 0)
        return {};
    if (button == LegButton::Delete) {
        if (leg > legCount)
            return Refusal(Refused("Leg number does not exist.", QStringLiteral("Delete Navigation Leg"),
                                   MsgIcon::Exclamation));
        LegRequest request;
        request.write = LegWrite::DeleteAt;
        request.leg = int(leg);
        request.navAction = NavShowFirst;
        return request;
    }
    // An empty heading is no heading: north is typed as 0.
    if (entries.heading.trimmed().isEmpty() || !HeadingInRange(heading))
        return Refusal(HeadingRefused);
    if (!IsValidCDTText(entries.cdt))
        return Refusal(CdtRefused);

    LegRequest request;
    request.heading = int(heading);
    request.seconds = CDTTextToSeconds(entries.cdt);
    switch (button) {
    case LegButton::Add:
        if (request.seconds == 0)
            return {};
        request.write = LegWrite::AddAtEnd;
        break;
    case LegButton::Insert:
        request.write = leg > legCount ? LegWrite::AddAtEnd : LegWrite::InsertAt;
        request.renumber = true;
        break;
    case LegButton::Update:
        if (leg > legCount)
            return Refusal(Refused("Leg number does not exist.", QStringLiteral("Update Navigation Leg"),
                                   MsgIcon::Exclamation));
        request.write = LegWrite::UpdateAt;
        break;
    default: return {};
    }
    if (request.write == LegWrite::AddAtEnd) {
        request.leg = legCount + 1;
        request.navAction = NavShowLast;
    } else {
        request.leg = int(leg);
        request.focusLeg = int(leg);
        request.navAction = NavShowFocusLeg;
    }
    return request;
}

std::vector<NavLegRow> EditedLegs(db::Database& db, qint32 modelId)
{
    std::vector<NavLegRow> legs;
    auto rs = db.OpenSnapshot("Select * from DC_NAV where LEGNO > 0 and DCID = ? and DCSERIALNO = -1 ORDER BY LEGNO ;",
                              {modelId});
    for (; !rs->EOF(); rs->MoveNext()) {
        legs.push_back({rs->Field("LEGNO"), rs->Field("HEADING"), rs->Field("CDT"), rs->Field("AUDIBLEALARM"),
                        rs->Field("LIGHTALARM")});
    }
    return legs;
}

QString LegGridRow(const NavLegRow& leg)
{
    const qint64 cdt = leg.CDT.ToLong();
    const QString time = TwoDigits(cdt / 3600) + ":" + TwoDigits(cdt % 3600 / 60) + ":" + TwoDigits(cdt % 60);
    return QStringList{leg.LEGNO.ToString(), leg.HEADING.ToString() + QChar(0x00B0), time,
                       QString::number(leg.AUDIBLEALARM.ToLong()), QString::number(leg.LIGHTALARM.ToLong())}
        .join(QLatin1Char('\t'));
}

int LegGridRowToShow(const std::vector<NavLegRow>& legs, quint8 navAction, int focusLeg)
{
    const int rows = static_cast<int>(legs.size());
    if (rows == 0)
        return -1;
    if (navAction == NavShowLast)
        return rows - 1;
    if (navAction != NavShowFocusLeg)
        return 0;
    for (int row = 0; row < rows; ++row) {
        if (legs[size_t(row)].LEGNO.ToLong() == focusLeg)
            return row;
    }
    return rows - 1;
}

void CopyUnitLegs(db::Database& db, qint32 modelId, qint32 serial)
{
    db::Transaction tx(db);
    db.Execute("Delete * from DC_NAV" + EditedWhere + " and LEGNO > 0;", {modelId});
    db.Execute("INSERT INTO DC_NAV (DCID, DCSERIALNO, LEGNO, HEADING, CDT, AUDIBLEALARM, LIGHTALARM) "
               "SELECT DCID, -1, LEGNO, HEADING, CDT, AUDIBLEALARM, LIGHTALARM from DC_NAV "
               "where LEGNO > 0 and DCID = ? and DCSERIALNO = ? ORDER BY LEGNO ;",
               {modelId, serial});
    tx.Commit();
}

void ReshuffleLegs(db::Database& db, qint32 modelId)
{
    db::Transaction tx(db);
    auto rs = db.OpenRecordset("Select * from DC_NAV" + EditedWhere + " ORDER BY LEGNO ;", {modelId});
    for (int legNo = 1; !rs->EOF(); rs->MoveNext(), ++legNo) {
        rs->Edit();
        rs->SetField("LEGNO", legNo);
        rs->Update();
    }
    tx.Commit();
}

FormMessage WriteLegRequest(db::Database& db, qint32 modelId, const LegRequest& r)
{
    const char* failure = "";
    try {
        db::Transaction tx(db);
        switch (r.write) {
        case LegWrite::Nothing: return {};
        case LegWrite::AddAtEnd:
            failure = "Could not add Navigation Leg.";
            AddLeg(db, modelId, r.leg, r.heading, r.seconds);
            break;
        case LegWrite::InsertAt:
            failure = "Could not insert Navigation Leg.";
            db.Execute("Update DC_NAV set LEGNO = LEGNO + 1" + EditedWhere + " and LEGNO >= ? ;", {modelId, r.leg});
            AddLeg(db, modelId, r.leg, r.heading, r.seconds);
            break;
        case LegWrite::UpdateAt:
            failure = "Could not update Navigation Leg.";
            db.Execute("UPDATE DC_NAV SET HEADING = ?, CDT = ?" + EditedWhere + " and LEGNO = ? ;",
                       {r.heading, r.seconds, modelId, r.leg});
            break;
        case LegWrite::DeleteAt:
            failure = "Could not delete Navigation Leg.";
            db.Execute("DELETE * FROM DC_NAV" + EditedWhere + " and LEGNO = ? ;", {modelId, r.leg});
            ReshuffleLegs(db, modelId);
            break;
        }
        if (r.renumber) {
            failure = "Could not insert Navigation Leg.";
            ReshuffleLegs(db, modelId);
        }
        tx.Commit();
        return {};
    } catch (const db::DbError& error) {
        qCWarning(lcLegs) << "writing a navigation leg failed:" << error.Message();
        return {QString::fromLatin1(failure), QStringLiteral("Error"), MsgIcon::Critical};
    }
}

} // namespace kvl::settings
