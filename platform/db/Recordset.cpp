#include "platform/db/DbInternal.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <map>
#include <optional>

namespace kvl::db {

namespace {

// "SELECT * | a, b FROM T [WHERE ...] [ORDER BY ...] [;]": a set over one table.
struct TableQuery {
    QString columns;  // "*" or the column list as written
    QString name;     // the table's name
    QString table;    // the same, quoted
    QString rest;     // " WHERE ... ORDER BY ...", without the closing ";"
};

std::optional<TableQuery> ParseTableQuery(const QString& sql)
{
    static const QRegularExpression shape(
        R"re(^\s*SELECT\s+(\*|[A-Za-z_]\w*(?:\s*,\s*[A-Za-z_]\w*)*)\s+FROM\s+(?:([A-Za-z_]\w*)|"([^"]+)"|\[([^\]]+)\]))re"
        R"re(((?:\s+(?:WHERE|ORDER\s+BY)\b.*?)?)\s*;?\s*$)re",
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression notOneTable(R"(\b(GROUP\s+BY|HAVING|UNION|INTERSECT|EXCEPT|JOIN)\b)",
                                                QRegularExpression::CaseInsensitiveOption);
    const auto m = shape.match(sql);
    if (!m.hasMatch() || m.captured(5).contains(notOneTable))
        return std::nullopt;
    const QString table = m.captured(2) + m.captured(3) + m.captured(4);
    return TableQuery{m.captured(1), table, QuoteName(table), m.captured(5)};
}

bool IsNumber(const Value& v)
{
    return v.IsInteger() || v.IsReal();
}

// FindFirst's comparison: numbers by value, texts without regard to case (as Jet
// compared them), Null only with Null.
bool Matches(const Value& a, const Value& b)
{
    if (a.IsNull() || b.IsNull())
        return a.IsNull() && b.IsNull();
    if (a.IsInteger() && b.IsInteger())
        return a.ToLong() == b.ToLong();
    if (IsNumber(a) && IsNumber(b))
        return a.ToDouble() == b.ToDouble();
    return a.ToString().compare(b.ToString(), Qt::CaseInsensitive) == 0;
}

using Row = std::vector<Value>;

Row ReadRow(const Statement& stmt)
{
    Row row(stmt.ColumnCount());
    for (int i = 0; i < stmt.ColumnCount(); ++i)
        row[i] = stmt.Column(i);
    return row;
}

class SqlRecordset final : public Recordset {
public:
    SqlRecordset(std::shared_ptr<Connection> conn, const QString& sql, const Params& params, bool snapshot)
        : conn_(std::move(conn)), sql_(sql), params_(params)
    {
        sqlite3* db = conn_->Checked();
        Statement stmt(db, sql_);
        for (int i = 0; i < stmt.ColumnCount(); ++i) {
            names_ << stmt.ColumnName(i);
            if (!index_.contains(names_.back().toCaseFolded()))  // the first of equal names wins
                index_.insert(names_.back().toCaseFolded(), i);
        }
        if (auto query = snapshot ? std::nullopt : ParseTableQuery(sql_); query && IsRowidTable(db, *query)) {
            query_ = *query;
            fetch_ = std::make_unique<Statement>(
                db, "SELECT " + query_->columns + " FROM " + query_->table + " WHERE rowid = ?");
            counterColumn_ = CounterColumn(db);
            columnFetch_.resize(names_.size());
        }
        Load();
    }

    bool Updatable() const override { return query_.has_value(); }
    bool BOF() const override { return !deleted_ && (Count() == 0 || pos_ < 0); }
    bool EOF() const override { return !deleted_ && (Count() == 0 || pos_ >= Count()); }

    void MoveFirst() override { MoveTo(0); }
    void MoveLast() override { MoveTo(Count() - 1); }
    void MoveNext() override { MoveTo(deleted_ ? pos_ : pos_ + 1); }
    void MovePrevious() override { MoveTo(pos_ - 1); }

    int RecordCount() const override { return Count(); }
    int AbsolutePosition() const override { return HasCurrent() ? pos_ : -1; }
    void SetAbsolutePosition(int pos) override
    {
        if (pos < 0 || pos >= Count())
            throw DbError(SQLITE_RANGE, QString("There is no row %1 in a set of %2.").arg(pos).arg(Count()));
        MoveTo(pos);
    }

    bool FindFirst(const QString& column, const Value& value) override
    {
        const int col = IndexOf(column);
        const int found = col == counterColumn_ && IsNumber(value) ? FindKey(value.ToDouble()) : Scan(col, value);
        MoveTo(found);
        return found < Count();
    }

    QStringList FieldNames() const override { return names_; }
    bool HasField(const QString& column) const override { return index_.contains(column.toCaseFolded()); }

    Value Field(const QString& column) const override
    {
        const int col = IndexOf(column);
        if (mode_ != Mode::None) {
            if (auto it = pending_.find(col); it != pending_.end())
                return it->second;
            if (mode_ == Mode::Adding)
                return {};
        }
        return CurrentValue(col);
    }

    void SetField(const QString& column, const Value& value) override
    {
        const int col = IndexOf(column);
        if (mode_ == Mode::None)
            throw DbError(SQLITE_MISUSE, "Update or CancelUpdate without AddNew or Edit.");
        pending_[col] = value;
    }

    void AddNew() override
    {
        RequireUpdatable();
        CancelUpdate();
        mode_ = Mode::Adding;
    }

    void Edit() override
    {
        RequireUpdatable();
        CancelUpdate();
        RequireCurrent();
        editKey_ = keys_[pos_];
        mode_ = Mode::Editing;
    }

    qint64 Update() override
    {
        sqlite3* db = conn_->Checked();
        if (mode_ == Mode::None)
            throw DbError(SQLITE_MISUSE, "Update or CancelUpdate without AddNew or Edit.");
        QStringList cols;
        Params values;
        for (const auto& [col, value] : pending_) {
            cols << QuoteName(names_[col]);
            values.push_back(value);
        }
        qint64 id = editKey_;
        if (mode_ == Mode::Adding) {
            Execute(db, cols.isEmpty() ? "INSERT INTO " + query_->table + " DEFAULT VALUES"
                                       : "INSERT INTO " + query_->table + " (" + cols.join(", ") + ") VALUES (" +
                                             QStringList(cols.size(), "?").join(", ") + ")",
                    values);
            id = sqlite3_last_insert_rowid(db);
            const bool atEnd = pos_ >= Count();
            keys_.push_back(id);
            if (atEnd)
                pos_ = Count();
        } else if (!cols.isEmpty()) {
            values.push_back(Value(static_cast<long long>(id)));
            Execute(db, "UPDATE " + query_->table + " SET " + cols.join(" = ?, ") + " = ? WHERE rowid = ?", values);
        }
        lastModified_ = id;
        CancelUpdate();
        return id;
    }

    void CancelUpdate() override
    {
        mode_ = Mode::None;
        pending_.clear();
    }

    void Delete() override
    {
        RequireUpdatable();
        CancelUpdate();
        RequireCurrent();
        Execute(conn_->Checked(), "DELETE FROM " + query_->table + " WHERE rowid = ?",
                {Value(static_cast<long long>(keys_[pos_]))});
        keys_.erase(keys_.begin() + pos_);
        deleted_ = true;
    }

    qint64 LastModified() const override { return lastModified_; }

    void Requery() override
    {
        CancelUpdate();
        Load();
    }

private:
    enum class Mode { None, Adding, Editing };

    static bool IsRowidTable(sqlite3* db, const TableQuery& query)
    {
        // Views and WITHOUT ROWID tables have no rowid to key the rows by.
        try {
            Statement probe(db, "SELECT rowid FROM " + query.table + " LIMIT 0");
            Statement type(db, "SELECT type FROM sqlite_master WHERE name = ? COLLATE NOCASE");
            type.BindAt(1, query.name);
            return type.Step() && type.Column(0).ToString() == "table";
        } catch (const DbError&) {
            return false;
        }
    }

    // The position of the first row whose column matches, or Count().
    int Scan(int col, const Value& value) const
    {
        for (int i = 0; i < Count(); ++i) {
            Value v;
            if (query_) {
                Statement& one = ColumnFetch(col);
                one.Reset();
                one.BindAt(1, Value(static_cast<long long>(keys_[i])));
                if (one.Step())
                    v = one.Column(0);
                one.Reset();
            } else {
                v = rows_[i][col];
            }
            if (Matches(v, value))
                return i;
        }
        return Count();
    }

    int FindKey(double key) const
    {
        const auto it = std::find_if(keys_.begin(), keys_.end(), [key](qint64 k) { return double(k) == key; });
        return static_cast<int>(it - keys_.begin());
    }

    // The column of the set that holds the table's counter (its rowid), or -1.
    int CounterColumn(sqlite3* db) const
    {
        Statement pk(db, "SELECT name FROM pragma_table_info(?1) WHERE pk = 1 AND upper(type) = 'INTEGER'"
                         " AND (SELECT COUNT(*) FROM pragma_table_info(?1) WHERE pk > 0) = 1");
        pk.BindAt(1, query_->name);
        if (!pk.Step())
            return -1;
        return index_.value(pk.Column(0).ToString().toCaseFolded(), -1);
    }

    // Runs a write; the last one stays prepared, since rows are often added or edited
    // many times over with the same columns.
    void Execute(sqlite3* db, const QString& sql, const Params& values)
    {
        if (!write_ || writeSql_ != sql) {
            write_.reset();
            write_ = std::make_unique<Statement>(db, sql);
            writeSql_ = sql;
        }
        conn_->BeforeWrite();
        write_->Reset();
        write_->BindAll(values);
        write_->Step();
        write_->Reset();
    }

    void Load()
    {
        sqlite3* db = conn_->Checked();
        keys_.clear();
        rows_.clear();
        cacheKey_.reset();
        Statement stmt(db, query_ ? "SELECT rowid FROM " + query_->table + query_->rest : sql_);
        stmt.BindAll(params_);
        while (stmt.Step()) {
            if (query_)
                keys_.push_back(stmt.Column(0).ToLong());
            else
                rows_.push_back(ReadRow(stmt));
        }
        pos_ = 0;
        deleted_ = false;
    }

    int Count() const { return static_cast<int>(query_ ? keys_.size() : rows_.size()); }
    bool HasCurrent() const { return !deleted_ && pos_ >= 0 && pos_ < Count(); }

    void MoveTo(int pos)
    {
        CancelUpdate();
        deleted_ = false;
        pos_ = std::clamp(pos, Count() == 0 ? 0 : -1, Count());
    }

    int IndexOf(const QString& column) const
    {
        // Callers ask for the same few names row after row: remember each as spelt.
        auto known = spelt_.constFind(column);
        if (known != spelt_.constEnd())
            return known.value();
        auto it = index_.constFind(column.toCaseFolded());
        if (it == index_.constEnd())
            throw DbError(SQLITE_ERROR, "Item not found in this collection: " + column);
        spelt_.insert(column, it.value());
        return it.value();
    }

    void RequireUpdatable() const
    {
        if (!query_)
            throw DbError(SQLITE_READONLY, "This set of rows cannot be updated.");
    }

    // A value of the current row. A set over one table reads each column when it is
    // first asked for (a walk that reads a few columns of a wide table stays quick)
    // and keeps it until the set moves, the database changes or a change is rolled back.
    Value CurrentValue(int col) const
    {
        if (!HasCurrent())
            throw DbError(SQLITE_MISUSE, "No current record.");
        if (!query_)
            return rows_[pos_][col];
        const qint64 key = keys_[pos_];
        const sqlite3_int64 generation = conn_->Generation();
        if (cacheKey_ != key || cacheGeneration_ != generation) {
            cache_.assign(names_.size(), std::nullopt);
            cacheMisses_ = 0;
            cacheKey_ = key;
            cacheGeneration_ = generation;
        }
        std::optional<Value>& cell = cache_[col];
        if (!cell) {
            // A few columns are read one by one; a form that reads more gets the whole row.
            const bool wholeRow = ++cacheMisses_ > kColumnsReadAlone;
            Statement& stmt = wholeRow ? *fetch_ : ColumnFetch(col);
            stmt.Reset();
            stmt.BindAt(1, Value(static_cast<long long>(key)));
            const bool found = stmt.Step();
            for (int i = 0; found && i < stmt.ColumnCount(); ++i)
                if (!cache_[wholeRow ? i : col])
                    cache_[wholeRow ? i : col] = stmt.Column(i);
            stmt.Reset();  // ends the read so that nothing holds the file's lock
            if (!found) {
                cacheKey_.reset();
                throw DbError(SQLITE_NOTFOUND, "Record is deleted.");
            }
        }
        return *cell;
    }

    Statement& ColumnFetch(int col) const
    {
        auto& stmt = columnFetch_[col];
        if (!stmt)
            stmt = std::make_unique<Statement>(conn_->Checked(), "SELECT " + QuoteName(names_[col]) + " FROM " +
                                                                     query_->table + " WHERE rowid = ?");
        return *stmt;
    }

    // Edit and Delete need a current row that still exists.
    void RequireCurrent() const { CurrentValue(0); }

    std::shared_ptr<Connection> conn_;  // first, so the statements below go before it
    QString sql_;
    Params params_;
    QStringList names_;
    QHash<QString, int> index_;
    mutable QHash<QString, int> spelt_;   // names as callers spell them, to their column
    std::optional<TableQuery> query_;  // set for an updatable set
    std::unique_ptr<Statement> fetch_;
    std::unique_ptr<Statement> write_;
    QString writeSql_;
    int counterColumn_ = -1;  // found by the row ids alone

    std::vector<qint64> keys_;  // updatable set: row ids in query order
    std::vector<Row> rows_;     // read-only set: every row
    int pos_ = 0;
    bool deleted_ = false;  // the current row was deleted; the next move leaves it

    Mode mode_ = Mode::None;
    std::map<int, Value> pending_;  // column -> value set since AddNew or Edit
    qint64 editKey_ = 0;
    qint64 lastModified_ = 0;

    static constexpr int kColumnsReadAlone = 4;
    mutable std::vector<std::unique_ptr<Statement>> columnFetch_;  // by column, made when first needed
    mutable std::vector<std::optional<Value>> cache_;
    mutable int cacheMisses_ = 0;
    mutable std::optional<qint64> cacheKey_;
    mutable sqlite3_int64 cacheGeneration_ = 0;
};

} // namespace

std::unique_ptr<Recordset> OpenSqlRecordset(std::shared_ptr<Connection> conn, const QString& sql,
                                            const Params& params, bool snapshot)
{
    return std::make_unique<SqlRecordset>(std::move(conn), sql, params, snapshot);
}

} // namespace kvl::db
