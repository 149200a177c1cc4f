#include "platform/db/Db.h"
#include "platform/db/DbInternal.h"
#include "platform/runtime/Runtime.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <cmath>

namespace kvl::db {

namespace {

constexpr int kBusyTimeoutMs = 5000;

// Jet accepted "Delete * from T"; SQLite wants "DELETE FROM T". Only the start of a
// statement is looked at, so texts inside it are never touched.
QString SqliteDialect(const QString& statement)
{
    static const QRegularExpression jetDelete(R"(^\s*delete\s+\*\s+from\b)",
                                              QRegularExpression::CaseInsensitiveOption);
    const auto m = jetDelete.match(statement);
    return m.hasMatch() ? "DELETE FROM" + statement.mid(m.capturedEnd()) : statement;
}

std::shared_ptr<Connection> OpenConnection(const QString& path, int flags)
{
    auto conn = std::make_shared<Connection>();
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &conn->db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = conn->db ? QString::fromUtf8(sqlite3_errmsg(conn->db)) : QString("out of memory");
        throw DbError(rc, msg + ": " + path);
    }
    sqlite3_busy_timeout(conn->db, kBusyTimeoutMs);
    // Counts every rollback of a whole transaction, also one SQLite makes on its own after an error.
    sqlite3_rollback_hook(conn->db, [](void* c) { ++static_cast<Connection*>(c)->rollbacks; }, conn.get());
    sqlite3_db_config(conn->db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    return conn;
}

} // namespace

// ---- DbError, Value -------------------------------------------------------------

DbError::DbError(int number, const QString& message, const QString& statement, int extended)
    : std::runtime_error((statement.isEmpty() ? message : message + " (" + statement + ")").toStdString()),
      number_(number), extended_(extended), reason_(message)
{
}

WriteRefused::WriteRefused(const QString& sentence) : DbError(SQLITE_CORRUPT, sentence)
{
}

QString KnownCause(const std::exception& failure)
{
    const auto* dbError = dynamic_cast<const DbError*>(&failure);
    if (!dbError)
        return QString();
    if (dynamic_cast<const WriteRefused*>(dbError))
        return dbError->Reason();
    const DbError& error = *dbError;
    switch (error.ExtendedNumber()) {
    case SQLITE_READONLY_DBMOVED:
    case SQLITE_CANTOPEN:
    case SQLITE_IOERR_DELETE_NOENT:
        return QStringLiteral("The log's folder is gone.");
    default:
        break;
    }
    switch (error.Number()) {
    case SQLITE_READONLY:
        return QStringLiteral("The log is read-only.");
    case SQLITE_FULL:
        return QStringLiteral("The disk is full.");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("The log is in use by another program.");
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return QStringLiteral("The log is damaged.");
    default:
        return QString();
    }
}

QString DiverText(const DbError& error)
{
    const QString cause = KnownCause(error);
    return cause.isEmpty() ? error.Reason() : cause;
}

QString ExplainFailure(const QLoggingCategory& category, const std::exception& error, const char* what)
{
    qCWarning(category, "%s failed: %s", what, error.what());
    if (const auto* dbError = dynamic_cast<const DbError*>(&error))
        return DiverText(*dbError);
    return QString::fromUtf8(error.what());
}

qint64 Value::ToLong() const
{
    if (auto i = std::get_if<qint64>(&v_))
        return *i;
    return RoundHalfEven(ToDouble());   // out-of-range reals saturate
}

double Value::ToDouble() const
{
    if (auto i = std::get_if<qint64>(&v_))
        return static_cast<double>(*i);
    if (auto d = std::get_if<double>(&v_))
        return *d;
    if (IsNull())
        return 0.0;
    return Val(ToString());
}

QString Value::ToString() const
{
    if (auto i = std::get_if<qint64>(&v_))
        return QString::number(*i);
    if (auto d = std::get_if<double>(&v_)) {
        if (std::trunc(*d) == *d && std::abs(*d) < 1e15)
            return QString::number(static_cast<qint64>(*d));
        return QString::number(*d, 'g', QLocale::FloatingPointShortest);
    }
    if (auto s = std::get_if<QString>(&v_))
        return *s;
    if (auto b = std::get_if<QByteArray>(&v_))
        return QString::fromUtf8(*b);
    return {};
}

bool Value::ToBool() const
{
    return ToDouble() != 0.0;
}

QByteArray Value::ToBlob() const
{
    if (auto b = std::get_if<QByteArray>(&v_))
        return *b;
    return ToString().toUtf8();
}

// ---- Connection, Statement ------------------------------------------------------

Connection::~Connection()
{
    Close();
}

void Connection::Close()
{
    if (db) {
        sqlite3_close_v2(db);  // waits for statements that recordsets still hold
        db = nullptr;
    }
}

void Connection::BeforeWrite()
{
    if (writeRefusal)
        std::rethrow_exception(writeRefusal);
    if (writeChecked || !writeCheck)
        return;
    try {
        writeCheck();
    } catch (const WriteRefused&) {
        writeRefusal = std::current_exception();
        throw;
    }
    writeChecked = true;
}

sqlite3* Connection::Checked() const
{
    if (!db)
        throw DbError(SQLITE_MISUSE, "The database is closed.");
    if (txDepth > 0 && sqlite3_get_autocommit(db))
        throw DbError(SQLITE_ABORT, "The changes were rolled back after an error; nothing was saved.");
    return db;
}

void ThrowError(sqlite3* db, int code, const QString& context)
{
    const QString msg = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(code));
    const int extended = db ? sqlite3_extended_errcode(db) : code;
    throw DbError(code & 0xff, msg, context.trimmed(), extended);
}

Statement::Statement(sqlite3* db, const QString& sql) : db_(db)
{
    const QByteArray utf8 = sql.toUtf8();
    const char* tail = nullptr;
    const int rc = sqlite3_prepare_v2(db, utf8.constData(), static_cast<int>(utf8.size()), &stmt_, &tail);
    if (rc != SQLITE_OK)
        ThrowError(db, rc, sql);
    if (tail)
        tail_ = QString::fromUtf8(tail, utf8.constData() + utf8.size() - tail);
}

Statement::~Statement()
{
    sqlite3_finalize(stmt_);
}

void Statement::BindAt(int index, const Value& value)
{
    int rc;
    if (value.IsNull()) {
        rc = sqlite3_bind_null(stmt_, index);
    } else if (value.IsInteger()) {
        rc = sqlite3_bind_int64(stmt_, index, value.ToLong());
    } else if (value.IsReal()) {
        rc = sqlite3_bind_double(stmt_, index, value.ToDouble());
    } else if (value.IsBlob()) {
        const QByteArray b = value.ToBlob();
        rc = sqlite3_bind_blob64(stmt_, index, b.constData(), b.size(), SQLITE_TRANSIENT);
    } else {
        const QByteArray t = value.ToString().toUtf8();
        rc = sqlite3_bind_text64(stmt_, index, t.constData(), t.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
    }
    if (rc != SQLITE_OK)
        ThrowError(db_, rc);
}

size_t Statement::Bind(const Params& params, size_t from)
{
    if (!stmt_)
        return 0;
    const int count = sqlite3_bind_parameter_count(stmt_);
    if (from + count > params.size())
        throw DbError(SQLITE_RANGE, QString("The statement takes %1 more values than were given.")
                                        .arg(from + count - params.size()));
    for (int i = 0; i < count; ++i)
        BindAt(i + 1, params[from + i]);
    return count;
}

void Statement::BindAll(const Params& params)
{
    if (Bind(params) != params.size())
        throw DbError(SQLITE_RANGE, "More values were given than the statement takes.");
}

bool Statement::Step()
{
    if (!stmt_)
        return false;
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3_reset(stmt_);
    ThrowError(db_, rc, QString::fromUtf8(sqlite3_sql(stmt_)));
}

void Statement::Reset()
{
    sqlite3_reset(stmt_);
}

QString Statement::ColumnName(int i) const
{
    return QString::fromUtf8(sqlite3_column_name(stmt_, i));
}

Value Statement::Column(int i) const
{
    switch (sqlite3_column_type(stmt_, i)) {
    case SQLITE_INTEGER:
        return Value(static_cast<long long>(sqlite3_column_int64(stmt_, i)));
    case SQLITE_FLOAT:
        return Value(sqlite3_column_double(stmt_, i));
    case SQLITE_TEXT: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
        return Value(QString::fromUtf8(text, sqlite3_column_bytes(stmt_, i)));
    }
    case SQLITE_BLOB: {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(stmt_, i));
        return Value(QByteArray(data, sqlite3_column_bytes(stmt_, i)));
    }
    default:
        return Value();
    }
}

QString QuoteName(const QString& name)
{
    return '"' + QString(name).replace('"', "\"\"") + '"';
}

// ---- Database -------------------------------------------------------------------

Database::Database(std::shared_ptr<Connection> conn, QString path)
    : conn_(std::move(conn)), path_(std::move(path))
{
}

std::unique_ptr<Database> Database::Open(const QString& path, OpenMode mode)
{
    const QFileInfo info(path);
    if (!info.isFile())
        throw DbError(SQLITE_CANTOPEN, "unable to open database file: " + path);
    // SQLite takes an empty file for an empty database; a log is never empty.
    if (info.size() == 0)
        throw DbError(SQLITE_NOTADB, "file is not a database: " + path);
    auto conn = OpenConnection(path, mode == OpenMode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE);
    // Reading the schema makes a file that is not a database (or is cut short) fail now.
    Statement check(conn->db, "SELECT count(*) FROM sqlite_master");
    check.Step();
    return std::unique_ptr<Database>(new Database(std::move(conn), path));
}

std::unique_ptr<Database> Database::Create(const QString& path)
{
    auto conn = OpenConnection(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    return std::unique_ptr<Database>(new Database(std::move(conn), path));
}

Database::~Database()
{
    Close();
}

void Database::Close()
{
    if (conn_) {
        conn_->writeCheck = nullptr;   // it holds this handle
        conn_->Close();
    }
}

bool Database::IsOpen() const
{
    return conn_ && conn_->db;
}

sqlite3* Database::Handle() const
{
    return conn_ ? conn_->db : nullptr;
}

int Database::Execute(const QString& sql, const Params& params)
{
    sqlite3* db = conn_->Checked();
    const sqlite3_int64 before = sqlite3_total_changes64(db);
    QString rest = sql;
    size_t used = 0;
    while (!rest.trimmed().isEmpty()) {
        Statement stmt(db, SqliteDialect(rest));
        if (stmt.Writes())
            conn_->BeforeWrite();
        used += stmt.Bind(params, used);
        while (stmt.Step()) {
        }
        rest = stmt.Tail();
    }
    if (used != params.size())
        throw DbError(SQLITE_RANGE, QString("The statement takes %1 values but %2 were given.")
                                        .arg(used).arg(params.size()));
    return static_cast<int>(sqlite3_total_changes64(db) - before);
}

std::unique_ptr<Recordset> Database::OpenRecordset(const QString& sql, const Params& params)
{
    conn_->Checked();
    return OpenSqlRecordset(conn_, sql, params);
}

std::unique_ptr<Recordset> Database::OpenSnapshot(const QString& sql, const Params& params)
{
    conn_->Checked();
    return OpenSqlRecordset(conn_, sql, params, true);
}

std::unique_ptr<Recordset> Database::OpenTable(const QString& table)
{
    sqlite3* db = conn_->Checked();
    if (!TableExists(table))
        throw DbError(SQLITE_ERROR, "no such table: " + table);
    // Primary-key columns in key order; a table without a key keeps its rowid order.
    QStringList keys;
    Statement info(db, "SELECT name FROM pragma_table_info(?) WHERE pk > 0 ORDER BY pk");
    info.BindAt(1, table);
    while (info.Step())
        keys << QuoteName(info.Column(0).ToString());
    const QString order = keys.isEmpty() ? QString("rowid") : keys.join(", ");
    return OpenSqlRecordset(conn_, "SELECT * FROM " + QuoteName(table) + " ORDER BY " + order, {});
}

Value Database::Scalar(const QString& sql, const Params& params)
{
    Statement stmt(conn_->Checked(), sql);
    if (stmt.Writes())
        conn_->BeforeWrite();
    stmt.BindAll(params);
    return stmt.Step() ? stmt.Column(0) : Value();
}

void Database::GuardWrites(std::function<void(Database&)> check)
{
    conn_->Checked();
    conn_->writeCheck = [this, check = std::move(check)] { check(*this); };
    conn_->writeChecked = false;
    conn_->writeRefusal = nullptr;
}

void Database::CheckWrites()
{
    conn_->Checked();
    conn_->BeforeWrite();
}

qint64 Database::LastInsertId() const
{
    return sqlite3_last_insert_rowid(conn_->Checked());
}

bool Database::TableExists(const QString& table)
{
    return !Scalar("SELECT 1 FROM sqlite_master WHERE type IN ('table', 'view') AND name = ? COLLATE NOCASE",
                   {table})
                .IsNull();
}

// ---- Transaction ----------------------------------------------------------------

namespace {

void Run(sqlite3* db, const QString& sql)
{
    Statement stmt(db, sql);
    stmt.Step();
}

QString SavepointName(int depth)
{
    return QString("kvl_tx%1").arg(depth);
}

} // namespace

Transaction::Transaction(Database& db) : conn_(db.conn_)
{
    sqlite3* handle = conn_->Checked();
    depth_ = conn_->txDepth + 1;
    Run(handle, depth_ == 1 ? QString("BEGIN IMMEDIATE") : "SAVEPOINT " + SavepointName(depth_));
    conn_->txDepth = depth_;
}

void Transaction::Commit()
{
    if (done_)
        return;
    sqlite3* handle = conn_->Checked();
    Run(handle, depth_ == 1 ? QString("COMMIT") : "RELEASE " + SavepointName(depth_));
    done_ = true;
    conn_->txDepth = depth_ - 1;
}

Transaction::~Transaction()
{
    if (done_)
        return;
    conn_->txDepth = depth_ - 1;
    ++conn_->rollbacks;   // an inner guard's savepoint is not seen by the rollback hook
    sqlite3* handle = conn_->db;
    // SQLite may already have rolled back on its own (a full disk, an I/O error).
    if (!handle || sqlite3_get_autocommit(handle))
        return;
    try {
        if (depth_ == 1) {
            Run(handle, "ROLLBACK");
        } else {
            Run(handle, "ROLLBACK TO " + SavepointName(depth_));
            Run(handle, "RELEASE " + SavepointName(depth_));
        }
    } catch (const DbError&) {
        // A destructor must not throw; the outer guard or the next BEGIN cleans up.
    }
}

} // namespace kvl::db
