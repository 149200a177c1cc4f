#pragma once
// A person's record as the person grid shows it: the rows of the grid, the USERINFO
// field behind each text row, and reading and writing one person's row by USERID.

#include "platform/db/Db.h"

#include <QHash>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace kvl::people {

// USERTYPE of a USERINFO row, which is also the kind of person a form has in view.
enum PersonType : quint8 { DiverType = 1, CaptainType = 2, CrewType = 3, BuddyType = 4 };

// The kind codes the grid rows are added with.
enum GridRowKind { HeaderRow = 1300, TextRow = 1401, SpacerRow = 108 };
// Text rows get this display setting, which shows them one step in.
constexpr int kIndentedRow = 1;

// The caption of the person's own phone row: "Phone:" on the diver's form, "Home:"
// on the companions form.
enum class OwnPhoneCaption { Phone, Home };

struct GridRow {
    QString key;       // empty for a spacer
    QString caption;   // text rows end in a Tab
    int kind;
};

// The 22 rows in the order they are added.
std::vector<GridRow> PersonGridRows(OwnPhoneCaption phone);

// One text row: its key and the USERINFO field it shows and stores. The row "PHONE"
// shows the field "HOME"; phone and postal-code values are trimmed and limited.
struct TextField {
    const char* key;
    const char* field;
    bool trimmedAndLimited;
};
const std::array<TextField, 17>& PersonTextFields();

// The most characters a trimmed field takes, blanks at either end not counted.
constexpr int kTrimmedFieldLength = 20;

// The value stored for a typed value: the four trimmed fields lose leading and
// trailing blanks; the others go in as typed.
QString StoredValue(const TextField& field, const QString& typed);
// Whether the field takes the typed value: a trimmed field holds at most
// kTrimmedFieldLength characters once trimmed; the others take any value.
bool FieldTakes(const TextField& field, const QString& typed);

// The grid's values by row key.
using PersonRecord = QHash<QString, QString>;

// The record of one row as shown: a Null or missing field, or one of blanks only
// (a new log's diver has single spaces), shows empty.
PersonRecord RecordOfRow(const db::Recordset& row);

struct StoredPerson {
    qint64 id = 0;
    PersonRecord record;
};
// The person with this USERID, or nothing when there is no such row.
std::optional<StoredPerson> ReadPerson(db::Database& db, qint64 userId);
// The diver (USERTYPE 1; the first row when there are several), or nothing.
std::optional<StoredPerson> ReadDiver(db::Database& db);

// Writes the record into the row of this USERID in one transaction; false when
// there is no such row. Throws db::DbError when the log refuses the write.
bool WritePerson(db::Database& db, qint64 userId, const PersonRecord& record);
// Adds a person of this type with the record (a field missing from it is stored as
// empty text) in one transaction; returns the new USERID. Throws db::DbError.
qint64 InsertPerson(db::Database& db, PersonType type, const PersonRecord& record);

} // namespace kvl::people
