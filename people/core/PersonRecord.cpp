#include "people/core/PersonRecord.h"

#include <QStringList>

namespace kvl::people {

namespace {

const std::array<TextField, 17> kTextFields{{
    {"NAME", "NAME", false},
    {"ADDRESS1", "ADDRESS1", false},
    {"ADDRESS2", "ADDRESS2", false},
    {"CITY", "CITY", false},
    {"STATE", "STATE", false},
    {"ZIPCODE", "ZIPCODE", true},
    {"COUNTRY", "COUNTRY", false},
    {"PHONE", "HOME", true},
    {"EMAIL", "EMAIL", false},
    {"CONTACTNAME", "CONTACTNAME", false},
    {"CONTACTPHONE", "CONTACTPHONE", true},
    {"PHYSICIAN", "PHYSICIAN", false},
    {"MEDPHONE", "MEDPHONE", true},
    {"INSURANCE", "INSURANCE", false},
    {"POLICY", "POLICY", false},
    {"BLOODTYPE", "BLOODTYPE", false},
    {"ALLERGIES", "ALLERGIES", false},
}};

// "Name:" + Tab for a text row.
GridRow Text(const char* key, const char* label)
{
    return {QString::fromLatin1(key), QString::fromLatin1(label) + QLatin1Char('\t'), TextRow};
}

GridRow Header(const char* key, const char* caption)
{
    return {QString::fromLatin1(key), QString::fromLatin1(caption), HeaderRow};
}

GridRow Spacer()
{
    return {QString(), QString(), SpacerRow};
}

QString TrimBlanks(const QString& text)
{
    qsizetype first = 0, last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

} // namespace

std::vector<GridRow> PersonGridRows(OwnPhoneCaption phone)
{
    return {
        Header("PERSONAL GROUP", "PERSONAL INFORMATION"),
        Text("NAME", "Name:"),
        Text("ADDRESS1", "Address1:"),
        Text("ADDRESS2", "Address2:"),
        Text("CITY", "City:"),
        Text("STATE", "State/Province:"),
        Text("ZIPCODE", "Zip/Postal Code:"),
        Text("COUNTRY", "Country:"),
        Text("PHONE", phone == OwnPhoneCaption::Home ? "Home:" : "Phone:"),
        Text("EMAIL", "Email:"),
        Spacer(),
        Header("EMERGENCY GROUP", "EMERGENCY CONTACT"),
        Text("CONTACTNAME", "Name:"),
        Text("CONTACTPHONE", "Phone:"),
        Spacer(),
        Header("MEDICAL GROUP", "MEDICAL INFORMATION"),
        Text("PHYSICIAN", "Physician:"),
        Text("MEDPHONE", "Phone:"),
        Text("INSURANCE", "Insurance:"),
        Text("POLICY", "Policy:"),
        Text("BLOODTYPE", "Blood Type:"),
        Text("ALLERGIES", "Allergies:"),
    };
}

const std::array<TextField, 17>& PersonTextFields()
{
    return kTextFields;
}

QString StoredValue(const TextField& field, const QString& typed)
{
    return field.trimmedAndLimited ? TrimBlanks(typed) : typed;
}

bool FieldTakes(const TextField& field, const QString& typed)
{
    return !field.trimmedAndLimited || StoredValue(field, typed).size() <= kTrimmedFieldLength;
}

PersonRecord RecordOfRow(const db::Recordset& row)
{
    PersonRecord record;
    for (const TextField& f : kTextFields) {
        const QString field = QString::fromLatin1(f.field);
        const QString value = row.HasField(field) ? row.Field(field).ToString() : QString();
        record.insert(QString::fromLatin1(f.key), value.trimmed().isEmpty() ? QString() : value);
    }
    return record;
}

namespace {

std::optional<StoredPerson> FirstPerson(db::Database& db, const QString& sql, const db::Params& params)
{
    auto row = db.OpenSnapshot(sql, params);
    if (row->EOF())
        return std::nullopt;
    return StoredPerson{row->Field(QStringLiteral("USERID")).ToLong(), RecordOfRow(*row)};
}

// The fields and their stored values, in the table's order.
void FieldsAndValues(const PersonRecord& record, QStringList& fields, db::Params& values)
{
    for (const TextField& f : kTextFields) {
        fields << QString::fromLatin1(f.field);
        values.emplace_back(StoredValue(f, record.value(QString::fromLatin1(f.key))));
    }
}

} // namespace

std::optional<StoredPerson> ReadPerson(db::Database& db, qint64 userId)
{
    return FirstPerson(db, QStringLiteral("Select * from USERINFO where USERID = ? ;"), {userId});
}

std::optional<StoredPerson> ReadDiver(db::Database& db)
{
    return FirstPerson(db, QStringLiteral("Select * from USERINFO where USERTYPE = 1 ;"), {});
}

bool WritePerson(db::Database& db, qint64 userId, const PersonRecord& record)
{
    QStringList fields;
    db::Params values;
    FieldsAndValues(record, fields, values);
    values.emplace_back(userId);
    db::Transaction transaction(db);
    const int changed =
        db.Execute(QStringLiteral("Update USERINFO set %1 = ? where USERID = ? ;").arg(fields.join(" = ?, ")), values);
    transaction.Commit();
    return changed > 0;
}

qint64 InsertPerson(db::Database& db, PersonType type, const PersonRecord& record)
{
    QStringList fields;
    db::Params values;
    FieldsAndValues(record, fields, values);
    fields << QStringLiteral("USERTYPE");
    values.emplace_back(int(type));
    db::Transaction transaction(db);
    db.Execute(QStringLiteral("Insert into USERINFO (%1) values (%2) ;")
                   .arg(fields.join(", "), QStringList(fields.size(), QStringLiteral("?")).join(", ")),
               values);
    const qint64 id = db.LastInsertId();
    transaction.Commit();
    return id;
}

} // namespace kvl::people
