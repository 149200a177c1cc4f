#pragma once
// The application state: one set of process-wide values that every form reads
// and writes directly (the open log, the browsed dive list, the current dive,
// the unit flags and the hand-over values between forms). One thread uses it.

#include "platform/db/Db.h"
#include "shell/core/LogLock.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <memory>

namespace kvl {

// The current dive: the DIVEDATA columns of the row rsDiveData stands on, plus
// the looked-up location and site names. Members typed db::Value keep the
// column's value as read, Null included.
struct DiveDataRec {
    db::Value LIFETIMEDIVENO;
    QString DIVEDATE;
    db::Value LOCID;
    QString LOCATIONNAME;
    db::Value SITEID;
    QString DIVESITE;
    db::Value DIVENO;
    QString DIVETIME;
    db::Value BTIME;
    qint32 BTimeNum = 0;
    QString STIME;
    db::Value MDEPTH;
    float AVGDEPTH = 0;
    db::Value VARI;
    db::Value FO2;
    db::Value FO2GAS2;
    db::Value FO2GAS3;
    db::Value CYLINDERSIZE;
    db::Value CYLINDERSIZE2;
    db::Value CYLINDERSIZE3;
    db::Value SPSI;
    db::Value EPSI;
    db::Value SPSI2;
    db::Value EPSI2;
    db::Value SPSI3;
    db::Value EPSI3;
    quint8 AIRCONSUMP = 0;
    qint32 TID1 = 0;
    qint32 TID2 = 0;
    qint32 TID3 = 0;
    bool TANK1ON = false;
    bool TANK2ON = false;
    bool TANK3ON = false;
    bool RECVON = false;
    quint8 DECOMDIVE = 0;
    quint8 VIOLATION = 0;
    bool GAUGEDIVE = false;
    db::Value TEMP;
    QString RESORT;
    QString GPS;
    QString DIVEBOAT;
    QString OPERATOR;
    QString MEMO;
    QString HIGHLIGHTS;
    QString DIRECTIONS;
    quint8 DATATYPE = 0;
    qint32 MODELID = 0;
    db::Value MODELSERNO;
    quint8 SNAPSHOT = 0;
    QString SnapshotText;
    db::Value VISIBILITY;
    db::Value ALTITUDE;
    db::Value AIR;
    db::Value SURFACE;
    db::Value MINIMUM;
    db::Value SURGE_FT;
    db::Value SURF_FT;
    db::Value TIDE_FT;
    db::Value SWELL_FT;
    db::Value CURRENT_FT;
    db::Value CURRENT;
    db::Value SURF;
    db::Value SURGE;
    db::Value TIDE;
    db::Value SWELL;
    db::Value GEAR;
};

struct Global_Vars {
    // This window's hold on the open log (its lock file and its whole-file lock) that
    // keeps other program windows off it; null when neither could be had. It comes
    // before DB so that it is released after the database, as LogLock asks.
    std::unique_ptr<kvl::LogLock> LogLock;
    // Log store. DB comes first so that it is released after the result sets on it.
    std::unique_ptr<db::Database> DB;
    bool DBIsOpen = false;
    std::unique_ptr<db::Recordset> rsDiveData;   // the browsed list, on the current dive
    QString DiveListSQL;                          // the query behind rsDiveData
    db::Params DiveListParams;                    // the values of its "?" (a query's names)
    QString SortOrder;                            // "LIFETIMEDIVENO ASC"
    std::unique_ptr<db::Recordset> rsTemp;       // scratch
    QString SQLText;                              // scratch
    std::unique_ptr<db::Recordset> rsDiveDCSettings;
    std::unique_ptr<db::Recordset> rsUserInfo;
    std::unique_ptr<db::Recordset> rsUnits;

    // Current dive.
    qint32 CurrentDiveID = 0;                     // DIVEID; -1 when there is none
    DiveDataRec CurrentDive;
    QString CurrentDiveCaption;                   // text of the tool bar's "LTD" item
    quint8 DiveChanged = 0;                       // 0 loaded/saved, 2 edited, 3 leaving refused
    bool IsNewDive = false;
    qint32 NewDiveID = 0;                         // the dive IsNewDive speaks of; only it can be discarded

    // Lifetime dive numbers and the add-dive hand-over.
    qint32 BaseLTD = 0;
    qint32 LastLTD = 0;
    qint32 FirstLTD = 0;
    qint32 NewDiveLTD = 0;
    quint8 AddDiveMode = 0;                       // 1 first, 7 last, 3 typed; +8 download; 99 cancelled
    bool DivesAdded = false;
    quint8 CommMode = 0;                          // 1 read settings, 2 write settings, 3 download
    quint8 ActiveFormID = 0;
    quint8 PrintChoice = 0;
    QString PrintFontName;

    // Dive computer model in use.
    qint32 SelectedModelID = 0;
    qint32 SelectedSerialNo = 0;
    QString SelectedModel;
    QString ModelName;
    db::Value RegLastModel;
    db::Value RegLastModelData;
    // The navigation leg last read from the settings form's leg entries.
    quint8 NavLegNo = 0;
    qint16 NavHeading = 0;
    qint32 NavCDT = 0;

    QString LogFilePath;
    QString HelpFile;
    QString DiverName;

    // The person in view on the diver's and the companions' forms.
    quint8 PersonKind = 0;                        // 1 diver, 2 captain, 3 crew, 4 buddy
    QString PersonKindName;                       // "CAPTAIN", "CREW" or "BUDDY"
    bool PersonChanged = false;                   // the companions' grid holds unsaved edits
    qint32 CurrentPersonID = 0;                   // USERID of the companion shown; 0 none

    // Unit flags: 1 the stored (imperial) form, 0 metric.
    quint8 UnitDate = 0;
    quint8 UnitCylinder = 0;
    quint8 UnitPressure = 0;
    quint8 UnitDepth = 0;
    quint8 UnitTime = 0;
    quint8 UnitWeight = 0;
    quint8 UnitTemp = 0;
    quint8 UnitSystem = 0;                        // 1 "Imperial", 0 "Metric"

    // Calendar date picker hand-over.
    QString PickedDate;
    quint8 DatePickerCaller = 0;                  // 1 from-date, 2 to-date, 3 settings form
    quint8 DCDateFormat = 0;                      // 1 "mm/dd/yyyy", else "dd/mm/yyyy"

    std::array<quint8, 16> BarGraphScale{};

    // Dive computer link and settings exchange.
    quint8 DeviceFamily = 0;
    QString DCVersion;
    QString DCDateText;
    QString DCTimeText;
    QByteArray RxBuffer;
};

extern Global_Vars gv;

// The open log, gv.DB; throws db::DbError when no log is open.
db::Database& LogDB();

} // namespace kvl
