#pragma once
// The navigation legs editor without its widgets: the checks of the leg bar's
// buttons, the grid rows of the edited set's legs, and the writes each button
// makes. The editor always works on the edited set (DCSERIALNO -1) of a model;
// every write runs in one transaction, so a failure leaves the legs as they were.

#include "platform/db/Db.h"
#include "platform/dialogs/Dialogs.h"
#include "settings/core/SettingsRecords.h"

#include <QString>

#include <vector>

namespace kvl::settings {

// The leg grid's columns, in order: name (found without regard to case) and caption.
enum LegGridColumn : int { LegColumn, HeadingColumn, CdtColumn, AudibleColumn, LightColumn, LegColumnCount };
struct LegGridColumnInfo {
    const char* name;
    const char* caption;
};
const LegGridColumnInfo& LegGridColumnOf(LegGridColumn column);

// The leg bar's items: three entries, then four buttons.
struct LegBarItem {
    const char* key;
    const char* caption;   // entries only
    const char* tip;
};
enum LegBarEntry : int { LegEntry, HeadingEntry, CdtEntry, LegBarEntryCount };
enum class LegButton : int { Update, Insert, Add, Delete, Count };
const LegBarItem& LegBarEntryOf(LegBarEntry entry);
const LegBarItem& LegButtonOf(LegButton button);
// The button of a bar key; Count for an entry's key or an unknown one.
LegButton LegButtonOfKey(const QString& key);

// What the grid is placed on after it is rebuilt.
enum NavActionCode : quint8 { NavShowFirst = 0, NavShowLast = 1, NavShowFocusLeg = 2 };

// A message as the form shows it.
struct FormMessage {
    QString text;
    QString title;
    MsgIcon icon = MsgIcon::None;
};
void ShowMessage(const FormMessage& message);

// The three entries as typed.
struct LegEntries {
    QString leg;
    QString heading;
    QString cdt;
};

// The write a button asks for, after its checks.
enum class LegWrite { Nothing, AddAtEnd, InsertAt, UpdateAt, DeleteAt };
struct LegRequest {
    LegWrite write = LegWrite::Nothing;
    int leg = 0;            // the leg written (AddAtEnd: the new last leg)
    int heading = 0;
    qint32 seconds = 0;
    bool renumber = false;  // the insert's renumbering follows the write
    quint8 navAction = NavShowFirst;
    int focusLeg = 0;       // NavShowFocusLeg only
    FormMessage refusal;    // shown instead when the entries are refused
};
// The checks of a button, in order, against the entries and the number of legs listed.
// A write needs a heading typed: an empty one is refused, never taken for 0.
LegRequest CheckLegButton(LegButton button, const LegEntries& entries, int legCount);

// The number an entry starts with, to the nearest whole number (halves to even).
double EntryNumber(const QString& text);

// The edited set's legs numbered above 0, in LEGNO order.
std::vector<NavLegRow> EditedLegs(db::Database& db, qint32 modelId);
// A leg as a grid row: "LEGNO<Tab>HEADING°<Tab>hh:mm:ss<Tab>audible<Tab>light".
QString LegGridRow(const NavLegRow& leg);
// The grid row to place the grid on after a rebuild (-1 for an empty grid): the
// first, the last, or the row of the focus leg (the last when no row holds it).
int LegGridRowToShow(const std::vector<NavLegRow>& legs, quint8 navAction, int focusLeg);

// Replaces the edited set's legs numbered above 0 with copies of the unit's.
// Throws db::DbError with nothing changed.
void CopyUnitLegs(db::Database& db, qint32 modelId, qint32 serial);
// Numbers every leg of the edited set 1, 2, 3 ... in LEGNO order. Throws db::DbError.
void ReshuffleLegs(db::Database& db, qint32 modelId);
// Runs a checked request in one transaction; on a failure nothing changes and the
// button's message is returned (empty when it was written).
FormMessage WriteLegRequest(db::Database& db, qint32 modelId, const LegRequest& request);

} // namespace kvl::settings
