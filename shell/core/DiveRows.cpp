#include "shell/core/DiveRows.h"

#include "platform/dialogs/Dialogs.h"
#include "platform/runtime/Logging.h"
#include "shell/core/DiveCursor.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/LogCheck.h"
#include "shell/core/Lookups.h"
#include "shell/core/MainWindowHooks.h"
#include "shell/core/StateCodes.h"

#include <QDateTime>

#include <array>
#include <utility>
#include <vector>

namespace kvl {

namespace {

void ShowError(const QString& text)
{
    MsgBox(text, MsgButtons::OK, MsgIcon::Critical, "Error");
}

// DIVEID and its new lifetime number.
using Renumbering = std::vector<std::pair<qint64, qint32>>;

// Writes the numbers that changed, all or none: one statement that takes the
// pairs as one JSON text, so that renumbering thousands of dives stays quick.
void WriteLifetimeNumbers(db::Database& db, const Renumbering& numbers)
{
    if (numbers.empty() || !LogTakesWrites())
        return;
    QStringList pairs;
    pairs.reserve(qsizetype(numbers.size()));
    for (const auto& [diveId, number] : numbers)
        pairs << QString("[%1,%2]").arg(diveId).arg(number);
    db.Execute("Update DIVEDATA set LIFETIMEDIVENO = pair.value ->> 1 from json_each(?) as pair "
               "where DIVEDATA.DIVEID = pair.value ->> 0 ;",
               {"[" + pairs.join(',') + "]"});
}

// Numbers the rows of sql one after the other from first on, keeping the
// numbers that are already right. The statement reads a computed column, so
// the set is read whole when it opens.
void NumberInOrder(const QString& sql, const db::Params& params, qint32 first)
{
    db::Database& db = LogDB();
    gv.SQLText = sql;
    auto rs = db.OpenRecordset(sql, params);
    Renumbering changed;
    for (qint32 counter = first; !rs->EOF(); rs->MoveNext(), ++counter)
        if (rs->Field("LIFETIMEDIVENO") != db::Value(counter))
            changed.emplace_back(rs->Field("DIVEID").ToLong(), counter);
    WriteLifetimeNumbers(db, changed);
}

// The statements that delete one dive, each with its error number.
const std::array<std::pair<const char*, int>, 8> diveDeletions{{
    {"Delete * from DIVEDATA where DIVEID = ? ;", 1},
    {"Delete * from DIVE_DC_SETTINGS where DIVEID = ? ;", 2},
    {"Delete * from BUDDIES where DIVEID = ? ;", 3},
    {"Delete * from CAPTAIN where DIVEID = ? ;", 4},
    {"Delete * from CREWS where DIVEID = ? ;", 5},
    {"Delete * from DIVEDETAILS where DIVEID = ? ;", 6},
    {"Delete * from DIVETYPES where DIVEID = ? ;", 7},
    {"Delete * from PHOTOS where DIVEID = ? ;", 8},
}};

const std::array<const char*, 8> allDivesDeletions{
    "Delete * from DIVE_DC_SETTINGS ;", "Delete * from DIVEDATA  ;", "Delete * from BUDDIES ;",
    "Delete * from CAPTAIN ;",          "Delete * from CREWS ;",     "Delete * from DIVEDETAILS ;",
    "Delete * from DIVETYPES ;",        "Delete * from PHOTOS ;",
};

} // namespace

void MarkNewDive(qint32 diveId)
{
    gv.IsNewDive = true;
    gv.NewDiveID = diveId;
}

void ForgetNewDive()
{
    gv.IsNewDive = false;
    gv.NewDiveID = 0;
}

bool CurrentDiveIsNew()
{
    return gv.IsNewDive && gv.NewDiveID > 0 && gv.NewDiveID == gv.CurrentDiveID;
}

qint32 InitialNewDive()
{
    ForgetNewDive();
    try {
        db::Database& db = LogDB();
        const QDateTime now = QDateTime::currentDateTime();
        db::Transaction tx(db);
        gv.SQLText = "Insert into DIVEDATA (LIFETIMEDIVENO, DIVEDATE, DIVETIME, STIME, MODELID, MODELSERNO, DATATYPE) "
                     "values (?, ?, ?, '00:00', 0, 0, 0) ;";
        db.Execute(gv.SQLText, {gv.NewDiveLTD, now.toString("yyyy/MM/dd"), now.toString("HH:mm")});
        const qint64 diveId = db.LastInsertId();
        // The settings row records the units the dive is entered in, so that showing
        // the dive later keeps the diver's units.
        gv.SQLText = "Insert into DIVE_DC_SETTINGS (DIVEID, UNITS, HOUR) values (?, ?, ?) ;";
        db.Execute(gv.SQLText, {diveId, InvertBit(gv.UnitSystem), InvertBit(gv.UnitTime)});
        tx.Commit();
        MarkNewDive(qint32(diveId));
        gv.DiveChanged = kDiveEdited;
        return qint32(diveId);
    } catch (const std::exception& error) {
        const auto* dbError = dynamic_cast<const db::DbError*>(&error);
        qCWarning(kvlDb, "adding a manual dive failed (SQLite error %d): %s", dbError ? dbError->Number() : 0,
                  error.what());
        ForgetNewDive();
        ShowError("Could not initial new manual dive.");
        return 0;
    }
}

bool DeleteDiveInfo(qint32 diveId)
{
    if (!LogTakesWrites())
        return false;
    int failed = 1;
    try {
        db::Database& db = LogDB();
        db::Transaction tx(db);
        for (const auto& [sql, number] : diveDeletions) {
            failed = number;
            gv.SQLText = sql;
            db.Execute(sql, {diveId});
        }
        failed = 1;
        tx.Commit();
        return true;
    } catch (const std::exception& error) {
        qCWarning(kvlDb, "deleting dive %d failed at step %d: %s", diveId, failed, error.what());
        ShowError(QString("Deleting dive error #%1.").arg(failed));
        return false;
    }
}

DeleteAllResult DeleteAllDives(QString* error)
{
    if (MsgBox("Are you sure to want to delete all dives?", MsgButtons::YesNo, MsgIcon::Critical, "Delete all dives",
               MsgDefault::Second) != MsgAnswer::Yes)
        return DeleteAllResult::Declined;
    // All or nothing: the first statement that fails stops the deletion and the guard
    // leaves the log as it was.
    try {
        db::Database& db = LogDB();
        db::Transaction tx(db);
        for (const char* sql : allDivesDeletions) {
            gv.SQLText = sql;
            db.Execute(sql);
        }
        tx.Commit();
    } catch (const std::exception& failure) {
        const QString text = db::ExplainFailure(kvlDb(), failure, "deleting all dives");
        if (error)
            *error = text;
        return DeleteAllResult::Failed;
    }
    ForgetNewDive();
    gv.CurrentDiveID = -1;
    gv.CurrentDive.LIFETIMEDIVENO = -1;
    CurrentMainWindowHooks().SetLTDText(QString());
    CurrentMainWindowHooks().SelectSideBarItem("Personal");
    return DeleteAllResult::Deleted;
}

void GetFirstLastDiveNo()
{
    gv.LastLTD = 0;
    gv.FirstLTD = 0;
    gv.SQLText = "Select MAX(LifeTimeDiveNo) AS LAST, MIN(LIFETIMEDIVENO) as FIRST from DIVEDATA "
                 "where LifeTimeDiveNo > 0 ;";
    auto rs = LogDB().OpenRecordset(gv.SQLText);
    if (rs->EOF() || rs->Field("LAST").IsNull())
        return;
    gv.LastLTD = qint32(rs->Field("LAST").ToLong());
    gv.FirstLTD = qint32(rs->Field("FIRST").ToLong());
}

void ReIndexLTD(qint32 n)
{
    GetFirstLastDiveNo();
    if (gv.FirstLTD == 0 || gv.LastLTD == 0 || n >= gv.LastLTD)
        return;
    if (n <= gv.FirstLTD) {
        // The first dive went: the others keep the log's first number.
        NumberInOrder("Select DIVEID, IFNULL(LIFETIMEDIVENO, 0) AS LIFETIMEDIVENO from DIVEDATA "
                      "ORDER BY DIVEDATA.LIFETIMEDIVENO ASC;",
                      {},
                      n >= 1 ? n : gv.FirstLTD);
        return;
    }
    NumberInOrder("Select DIVEID, IFNULL(LIFETIMEDIVENO, 0) AS LIFETIMEDIVENO from DIVEDATA "
                  "Where DIVEDATA.LIFETIMEDIVENO > ? ORDER BY DIVEDATA.LIFETIMEDIVENO ASC ;",
                  {n}, n);
}

void RenumberLifeTimeDives()
{
    db::Database& db = LogDB();
    // A Null date or time counts as empty text. Computed columns also make the set
    // read whole when it opens, which suits a walk over every dive.
    gv.SQLText = "Select DIVEID, IFNULL(DIVEDATE, '') AS DIVEDATE, IFNULL(DIVETIME, '') AS DIVETIME, LIFETIMEDIVENO "
                 "from DIVEDATA ORDER BY DIVEDATA.DIVEDATE, DIVEDATA.DIVETIME, MODELID, MODELSERNO ASC;";
    auto rs = db.OpenRecordset(gv.SQLText);
    Renumbering changed;
    qint32 counter = gv.BaseLTD;
    QString previousDate;
    QString previousTime;
    for (; !rs->EOF(); rs->MoveNext()) {
        const QString date = rs->Field("DIVEDATE").ToString();
        const QString time = rs->Field("DIVETIME").ToString();
        if (date != previousDate || time != previousTime) {
            if (!previousDate.isEmpty() && !previousTime.isEmpty())
                ++counter;
            previousDate = date;
            previousTime = time;
        }
        if (rs->Field("LIFETIMEDIVENO") != db::Value(counter))
            changed.emplace_back(rs->Field("DIVEID").ToLong(), counter);
    }
    WriteLifetimeNumbers(db, changed);
}

void ShiftLifeTimeDivesUp(std::optional<qint32> fromLTD)
{
    gv.SQLText = "Update DIVEDATA set LIFETIMEDIVENO = LIFETIMEDIVENO + 1";
    db::Params params;
    if (fromLTD) {
        gv.SQLText += " Where LIFETIMEDIVENO >= ?";
        params.push_back(*fromLTD);
    }
    gv.SQLText += " ;";
    LogDB().Execute(gv.SQLText, params);
}

void ShowCurrentLTD()
{
    gv.rsDiveData = LogDB().OpenRecordset(gv.DiveListSQL, gv.DiveListParams);
    db::Recordset& rs = *gv.rsDiveData;
    if (rs.EOF()) {
        gv.CurrentDive.LIFETIMEDIVENO = -1;
        gv.CurrentDiveID = -1;
        return;
    }
    rs.MoveFirst();
    if (gv.CurrentDiveID < 1 || !rs.FindFirst("DIVEID", gv.CurrentDiveID)) {
        rs.MoveFirst();
        gv.CurrentDiveID = qint32(rs.Field("DIVEID").ToLong());
    }
    ShowDiveCaption();
    LoadCurrentDive();
}

qint32 GetLTD(const QString& text)
{
    const QStringList entries = CurrentMainWindowHooks().LTDEntries();
    const qsizetype i = entries.indexOf(text);
    return i < 0 ? 0 : qint32(i + 1);
}

} // namespace kvl
