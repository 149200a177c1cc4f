#pragma once
// Pieces shared by the database handle and the recordsets; not for callers.

#include "platform/db/Db.h"

#include <sqlite3.h>

#include <exception>
#include <functional>
#include <memory>

namespace kvl::db {

// The SQLite handle, shared by the Database and the recordsets opened on it so that a
// recordset outliving Database::Close fails cleanly instead of touching a freed handle.
struct Connection {
    sqlite3* db = nullptr;
    int txDepth = 0;  // open Transaction guards
    sqlite3_int64 rollbacks = 0;  // transactions and savepoints rolled back
    std::function<void()> writeCheck;   // Database::GuardWrites
    bool writeChecked = false;
    std::exception_ptr writeRefusal;

    ~Connection();
    void Close();
    // The handle; DbError when closed, or when SQLite has itself rolled back the
    // transaction of an open guard (the guard's later statements would each commit alone).
    sqlite3* Checked() const;
    // Grows with every write and every rollback, so rows read before it moved may be stale.
    sqlite3_int64 Generation() const { return sqlite3_total_changes64(Checked()) + rollbacks; }
    // Runs the write guard's check unless it has run; throws a refusal it keeps.
    void BeforeWrite();
};

[[noreturn]] void ThrowError(sqlite3* db, int code, const QString& context = {});

// One prepared statement, finalized when it goes out of scope.
class Statement {
public:
    Statement(sqlite3* db, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Binds params[from..] to this statement's placeholders; returns how many it took.
    size_t Bind(const Params& params, size_t from = 0);
    // Binds params to the placeholders, which must take exactly that many values.
    void BindAll(const Params& params);
    void BindAt(int index, const Value& value);  // 1-based
    bool Step();                                   // true while a row is ready
    void Reset();
    int ColumnCount() const { return sqlite3_column_count(stmt_); }
    QString ColumnName(int i) const;
    Value Column(int i) const;
    // The SQL text that was not part of this statement (several statements in one text).
    QString Tail() const { return tail_; }
    bool Empty() const { return stmt_ == nullptr; }
    // True when running the statement may change the file.
    bool Writes() const { return stmt_ && !sqlite3_stmt_readonly(stmt_); }

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
    QString tail_;
};

// Opens the recordset for a SELECT on conn (Recordset.cpp).
std::unique_ptr<Recordset> OpenSqlRecordset(std::shared_ptr<Connection> conn, const QString& sql,
                                            const Params& params, bool snapshot = false);

} // namespace kvl::db
