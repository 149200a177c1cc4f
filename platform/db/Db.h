#pragma once
// The dive log's database layer: a SQLite file opened through one handle, and
// recordsets that browse and edit rows with the vocabulary the forms use
// (MoveNext, EOF, AddNew, Edit, Update, fields by name).
//
// Failures throw DbError carrying SQLite's result code as the error number, so a
// form can show "Could not open data file. Error " + Number() and carry on.

#include <QByteArray>
#include <QLoggingCategory>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <functional>
#include <memory>
#include <stdexcept>
#include <variant>
#include <vector>

// Recordset::EOF keeps the name the forms use, so the C library's EOF macro goes.
// Code that needs the end-of-file value uses std::char_traits<char>::eof().
#undef EOF

struct sqlite3;

namespace kvl::db {

struct Connection;

class DbError : public std::runtime_error {
public:
    // what() and Message() hold the message and, when given, the statement that failed.
    DbError(int number, const QString& message, const QString& statement = {}, int extended = 0);
    int Number() const { return number_; }
    // SQLite's extended result code (SQLITE_READONLY_DBMOVED, ...), or Number().
    int ExtendedNumber() const { return extended_ ? extended_ : number_; }
    QString Message() const { return QString::fromStdString(what()); }
    // The message without the statement.
    QString Reason() const { return reason_; }

private:
    int number_;
    int extended_;
    QString reason_;
};

// A write turned away before it reached the file, because the file failed the check its
// guard runs (Database::GuardWrites). Number() is SQLITE_CORRUPT; Reason() is the
// diver's sentence, which KnownCause gives.
class WriteRefused : public DbError {
public:
    explicit WriteRefused(const QString& sentence);
};

// The cause of a failure in plain words, for a database failure on a log that is
// read-only, on a full disk, in use by another program, damaged or whose folder is
// gone; else (another failure too) empty.
QString KnownCause(const std::exception& error);
// The one sentence a diver reads for a database failure: its known cause, else the
// failure's reason without its statement.
QString DiverText(const DbError& error);
// The same for any failure (a DbError, or another error's own text); the whole failure,
// with its statement, goes to the logging category under what.
QString ExplainFailure(const QLoggingCategory& category, const std::exception& error, const char* what);

// One column value: Null, a whole number, a real number, a text or bytes.
// Null is distinct from 0 and "". Yes/No columns hold -1 (Yes) and 0 (No).
class Value {
public:
    Value() = default;                      // Null
    Value(int v) : v_(static_cast<qint64>(v)) {}
    Value(long v) : v_(static_cast<qint64>(v)) {}
    Value(long long v) : v_(static_cast<qint64>(v)) {}
    Value(unsigned v) : v_(static_cast<qint64>(v)) {}
    Value(unsigned long v) : v_(static_cast<qint64>(v)) {}
    Value(unsigned long long v) : v_(static_cast<qint64>(v)) {}
    Value(bool v) : v_(static_cast<qint64>(v ? -1 : 0)) {}
    Value(float v) : v_(static_cast<double>(v)) {}
    Value(double v) : v_(v) {}
    Value(const QString& v) : v_(v) {}
    Value(const char* v) : v_(QString::fromUtf8(v)) {}
    Value(const QByteArray& v) : v_(v) {}

    static Value Null() { return {}; }

    bool IsNull() const { return std::holds_alternative<std::monostate>(v_); }
    bool IsInteger() const { return std::holds_alternative<qint64>(v_); }
    bool IsReal() const { return std::holds_alternative<double>(v_); }
    bool IsText() const { return std::holds_alternative<QString>(v_); }
    bool IsBlob() const { return std::holds_alternative<QByteArray>(v_); }

    // Null reads as 0 / 0.0 / "" / false. A text reads as the number it begins with.
    qint64 ToLong() const;       // reals round half to even
    double ToDouble() const;
    QString ToString() const;    // reals print as the shortest text that reads back the same
    bool ToBool() const;         // any non-zero number is true
    QByteArray ToBlob() const;

    bool operator==(const Value& other) const { return v_ == other.v_; }

private:
    std::variant<std::monostate, qint64, double, QString, QByteArray> v_;
};

using Params = std::vector<Value>;

// A table, index or column name quoted for a statement: "name", any " in it doubled.
QString QuoteName(const QString& name);

class Recordset;

enum class OpenMode { ReadWrite, ReadOnly };

// The open log. Not copyable; closing is idempotent and the destructor closes.
class Database {
public:
    // Opens an existing file for reading and writing (never creates one).
    // A file that is not a database throws here or at the first query.
    // The file keeps SQLite's rollback journal, so a copy of the file alone is a backup.
    // A file opened ReadOnly refuses every write.
    static std::unique_ptr<Database> Open(const QString& path, OpenMode mode = OpenMode::ReadWrite);
    // Creates (or opens) a file; used by the build's template maker and by tests.
    static std::unique_ptr<Database> Create(const QString& path);

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Runs one statement (or several); "?" placeholders take params, in order across the
    // statements. Returns the number of rows changed. Jet's "Delete * from T" is accepted.
    int Execute(const QString& sql, const Params& params = {});
    // Opens an updatable result set on a SELECT. A set over one table can AddNew,
    // Edit, Update and Delete; a set over a join or an aggregate is read-only.
    std::unique_ptr<Recordset> OpenRecordset(const QString& sql, const Params& params = {});
    // Opens a read-only result set that reads every row when opened (a snapshot): the
    // quick way to walk a long list once.
    std::unique_ptr<Recordset> OpenSnapshot(const QString& sql, const Params& params = {});
    // A table-type set: every row of the table in its primary-key order.
    std::unique_ptr<Recordset> OpenTable(const QString& table);
    // The first column of the first row, or Null when there is no row.
    Value Scalar(const QString& sql, const Params& params = {});

    // Runs check once, before the first statement through this handle that would change
    // the file (or at CheckWrites). While check returns, writes go on; when it throws
    // WriteRefused, the refusal is kept: that statement and every later one that would
    // write throw it again, and nothing is written. Another failure of the check is not
    // kept: the next write runs the check again.
    void GuardWrites(std::function<void(Database&)> check);
    // Runs the guard's check now unless it has run; throws its refusal. For a road that
    // must know before it starts (a download, before the device is read).
    void CheckWrites();

    qint64 LastInsertId() const;
    bool TableExists(const QString& table);
    QString Path() const { return path_; }
    // A recordset left open on a closed database throws DbError when it next needs the
    // file (a read-only set keeps the rows it already read).
    void Close();
    bool IsOpen() const;
    sqlite3* Handle() const;    // nullptr once closed

private:
    Database(std::shared_ptr<Connection> conn, QString path);
    std::shared_ptr<Connection> conn_;
    QString path_;
    friend class Transaction;
};

// Writes that belong together: rolled back unless Commit() is called before the
// guard goes out of scope. Guards nest: the outermost one is the transaction
// (BEGIN IMMEDIATE), an inner one a savepoint whose writes the outer guard still
// commits or rolls back. When SQLite rolls the transaction back on its own (a full
// disk, a trigger's RAISE(ROLLBACK)), every later statement on the database and
// Commit throw until the guards go, so no write of the guard lands outside it.
// The destructor never throws.
class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void Commit();

private:
    std::shared_ptr<Connection> conn_;
    int depth_ = 0;    // 1 for the outermost guard
    bool done_ = false;
};

// A result set positioned on one row at a time, like a DAO dynaset. A set over one
// table reads only its row ids when opened and each row's values when it is visited,
// so large tables open quickly; other sets read every row when opened and are
// read-only. Column names match without regard to letter case. Reading a field with
// no current row, or an unknown column, throws DbError. MoveNext at EOF and
// MovePrevious at BOF stay where they are.
class Recordset {
public:
    virtual ~Recordset() = default;

    virtual bool BOF() const = 0;
    virtual bool EOF() const = 0;
    virtual void MoveFirst() = 0;
    virtual void MoveLast() = 0;
    virtual void MoveNext() = 0;
    virtual void MovePrevious() = 0;
    virtual int RecordCount() const = 0;
    // 0-based position of the current row; -1 at BOF or EOF.
    virtual int AbsolutePosition() const = 0;
    virtual void SetAbsolutePosition(int pos) = 0;
    // Moves to the first row whose column equals the value; false (and EOF) when none.
    virtual bool FindFirst(const QString& column, const Value& value) = 0;

    // True for a set over one table: AddNew, Edit and Delete work (else they throw).
    virtual bool Updatable() const = 0;
    virtual QStringList FieldNames() const = 0;
    virtual bool HasField(const QString& column) const = 0;
    // The current row's value, or the value being edited between AddNew/Edit and Update.
    virtual Value Field(const QString& column) const = 0;
    Value operator[](const QString& column) const { return Field(column); }
    virtual void SetField(const QString& column, const Value& value) = 0;

    virtual void AddNew() = 0;
    virtual void Edit() = 0;
    // Writes the pending AddNew or Edit (only the columns that were set); returns the
    // row's id (the counter of an added row). An added row joins the end of the set and
    // the current row stays the one it was.
    virtual qint64 Update() = 0;
    virtual void CancelUpdate() = 0;
    // Deletes the current row; the set then stands on no row until it is moved.
    virtual void Delete() = 0;
    // The id of the row last added or edited through this set.
    virtual qint64 LastModified() const = 0;
    // Runs the query again and stands on the first row.
    virtual void Requery() = 0;
};

} // namespace kvl::db
