#include "platform/db/Db.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace kvl::db {
// Readable values in test failures.
void PrintTo(const Value& v, std::ostream* os)
{
    *os << (v.IsNull() ? "Null" : (v.IsText() ? "text " : "") + v.ToString().toStdString());
}
} // namespace kvl::db

using namespace kvl::db;

namespace {

// A log-like table: a counter, a case-blind name and a few typed columns.
const char* kSchema = R"(
    CREATE TABLE DIVERS (ID INTEGER PRIMARY KEY AUTOINCREMENT, NAME TEXT COLLATE NOCASE,
                         DEPTH REAL, N INTEGER, FLAG INTEGER);
    CREATE TABLE SITES (SITEID INTEGER PRIMARY KEY AUTOINCREMENT, DIVERID INTEGER, SITE TEXT);
    INSERT INTO DIVERS (NAME, DEPTH, N, FLAG) VALUES ('Ann', 10.5, 1, -1), ('Bob', 20, 2, 0), ('Cy', 30, 3, 0);
    INSERT INTO SITES (DIVERID, SITE) VALUES (1, 'Reef'), (1, 'Wall'), (2, 'Wreck');
)";

class DbTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath("log.dlg");
        Database::Create(path)->Execute(kSchema);
        db = Database::Open(path);
    }

    int Count(const QString& sql = "SELECT COUNT(*) FROM DIVERS") { return int(db->Scalar(sql).ToLong()); }
    QString NameOf(qint64 id) { return db->Scalar("SELECT NAME FROM DIVERS WHERE ID = ?", {id}).ToString(); }

    QTemporaryDir dir;
    QString path;
    std::unique_ptr<Database> db;
};

int ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const DbError& e) {
        return e.Number();
    }
    return SQLITE_OK;
}

TEST(ValueTest, NullIsNeitherZeroNorEmpty)
{
    const Value null, zero(0), empty("");
    EXPECT_TRUE(null.IsNull());
    EXPECT_FALSE(zero.IsNull());
    EXPECT_FALSE(empty.IsNull());
    EXPECT_NE(null, zero);
    EXPECT_NE(null, empty);
    EXPECT_NE(zero, empty);
    EXPECT_EQ(null.ToLong(), 0);
    EXPECT_EQ(null.ToString(), "");
    EXPECT_FALSE(null.ToBool());
}

TEST(ValueTest, Conversions)
{
    struct Case {
        Value value;
        qint64 whole;
        double real;
        const char* text;
    };
    const Case cases[] = {
        {Value(2.5), 2, 2.5, "2.5"},
        {Value(3.5), 4, 3.5, "3.5"},
        {Value(-2.5), -2, -2.5, "-2.5"},
        {Value(30.48), 30, 30.48, "30.48"},
        {Value(100000.0), 100000, 100000.0, "100000"},
        {Value(" 12.5 ft"), 12, 12.5, " 12.5 ft"},
        {Value("1 615"), 1615, 1615.0, "1 615"},
        {Value("abc"), 0, 0.0, "abc"},
        {Value(true), -1, -1.0, "-1"},
        {Value(false), 0, 0.0, "0"},
        {Value(sizeof(int)), 4, 4.0, "4"},
        {Value(1e300), std::numeric_limits<qint64>::max(), 1e300, "1e+300"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.value.ToLong(), c.whole);
        EXPECT_DOUBLE_EQ(c.value.ToDouble(), c.real);
        EXPECT_EQ(c.value.ToString(), c.text);
    }
    EXPECT_TRUE(Value(-1).ToBool());
    EXPECT_TRUE(Value(2).ToBool());
    EXPECT_FALSE(Value(0).ToBool());
}

TEST_F(DbTest, NullZeroAndEmptyRoundTrip)
{
    db->Execute("INSERT INTO DIVERS (ID, NAME, N) VALUES (10, ?, ?), (11, ?, ?), (12, ?, ?)",
                {Value(), Value(), Value(""), Value(0), Value("x"), Value(true)});
    auto rs = db->OpenRecordset("SELECT NAME, N FROM DIVERS WHERE ID >= ? ORDER BY ID ;", {10});
    ASSERT_EQ(rs->RecordCount(), 3);
    EXPECT_TRUE(rs->Field("NAME").IsNull());
    EXPECT_TRUE(rs->Field("N").IsNull());
    rs->MoveNext();
    EXPECT_EQ(rs->Field("NAME"), Value(""));
    EXPECT_EQ(rs->Field("N"), Value(0));
    rs->MoveNext();
    EXPECT_EQ(rs->Field("N"), Value(-1));  // Yes is stored as -1
    EXPECT_TRUE(rs->Field("N").ToBool());
}

TEST_F(DbTest, BoundTextKeepsApostrophes)
{
    auto rs = db->OpenRecordset("SELECT * FROM DIVERS ;");
    rs->AddNew();
    rs->SetField("NAME", "O'Neil");
    const qint64 id = rs->Update();
    EXPECT_EQ(NameOf(id), "O'Neil");
    db->Execute("UPDATE DIVERS SET NAME = ? WHERE ID = ?", {"D'Arcy \"Dee\"; DROP TABLE DIVERS", id});
    auto found = db->OpenRecordset("Select * from DIVERS where NAME = ? ;", {"d'arcy \"dee\"; drop table divers"});
    ASSERT_FALSE(found->EOF());
    EXPECT_EQ(found->Field("ID").ToLong(), id);
    EXPECT_TRUE(db->TableExists("divers"));
}

TEST_F(DbTest, ASnapshotHoldsTheRowsAsOpenedAndIsReadOnly)
{
    db->Execute("DELETE FROM DIVERS ; INSERT INTO DIVERS (NAME) VALUES ('b'), ('A'), ('c') ;");
    auto snap = db->OpenSnapshot("Select * from DIVERS where NAME <> ? order by NAME ;", {"c"});
    EXPECT_FALSE(snap->Updatable());
    db->Execute("UPDATE DIVERS SET NAME = 'changed' ;");
    QStringList names;
    for (; !snap->EOF(); snap->MoveNext())
        names << snap->Field("name").ToString();
    EXPECT_EQ(names, (QStringList{"A", "b"}));
    snap->MoveFirst();
    EXPECT_EQ(ErrorOf([&] { snap->Edit(); }), SQLITE_READONLY);
}

// The same movement rules for an updatable set and for a read-only one.
class MovementTest : public DbTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(MovementTest, MovesThroughThreeRows)
{
    auto rs = db->OpenRecordset(GetParam());
    ASSERT_EQ(rs->RecordCount(), 3);
    EXPECT_FALSE(rs->BOF());
    EXPECT_EQ(rs->AbsolutePosition(), 0);
    EXPECT_EQ(rs->Field("NAME").ToString(), "Ann");
    rs->MovePrevious();
    EXPECT_TRUE(rs->BOF());
    EXPECT_FALSE(rs->EOF());
    EXPECT_EQ(rs->AbsolutePosition(), -1);
    EXPECT_EQ(ErrorOf([&] { rs->Field("NAME"); }), SQLITE_MISUSE);
    rs->MovePrevious();  // stays at BOF
    EXPECT_TRUE(rs->BOF());
    rs->MoveNext();
    EXPECT_EQ(rs->Field("NAME").ToString(), "Ann");

    QStringList seen;
    for (rs->MoveFirst(); !rs->EOF(); rs->MoveNext())
        seen << rs->Field("NAME").ToString();
    EXPECT_EQ(seen, QStringList({"Ann", "Bob", "Cy"}));
    rs->MoveNext();  // stays at EOF
    EXPECT_TRUE(rs->EOF());
    EXPECT_EQ(rs->AbsolutePosition(), -1);
    rs->MovePrevious();
    EXPECT_EQ(rs->Field("NAME").ToString(), "Cy");
    rs->MoveFirst();
    rs->MoveLast();
    EXPECT_EQ(rs->AbsolutePosition(), 2);
    rs->SetAbsolutePosition(1);
    EXPECT_EQ(rs->Field("NAME").ToString(), "Bob");
    EXPECT_EQ(ErrorOf([&] { rs->SetAbsolutePosition(3); }), SQLITE_RANGE);

    EXPECT_TRUE(rs->FindFirst("name", "CY"));  // text compares without regard to case
    EXPECT_EQ(rs->AbsolutePosition(), 2);
    EXPECT_TRUE(rs->FindFirst("ID", 2.0));     // numbers by value
    EXPECT_EQ(rs->Field("NAME").ToString(), "Bob");
    EXPECT_FALSE(rs->FindFirst("NAME", "Zed"));
    EXPECT_TRUE(rs->EOF());
}

TEST_P(MovementTest, EmptySetIsAtBothEnds)
{
    db->Execute("DELETE FROM DIVERS");
    auto rs = db->OpenRecordset(GetParam());
    EXPECT_EQ(rs->RecordCount(), 0);
    for (auto move : {&Recordset::MoveFirst, &Recordset::MoveLast, &Recordset::MoveNext, &Recordset::MovePrevious}) {
        (rs.get()->*move)();
        EXPECT_TRUE(rs->BOF());
        EXPECT_TRUE(rs->EOF());
        EXPECT_EQ(rs->AbsolutePosition(), -1);
    }
    EXPECT_EQ(ErrorOf([&] { rs->Field("NAME"); }), SQLITE_MISUSE);
    EXPECT_FALSE(rs->FindFirst("NAME", "Ann"));
}

INSTANTIATE_TEST_SUITE_P(Sets, MovementTest,
                         ::testing::Values("Select * from DIVERS ORDER by ID ASC ;",
                                           "SELECT DISTINCT ID, NAME FROM DIVERS ORDER BY ID"));

TEST_F(DbTest, ColumnsMatchWithoutRegardToCase)
{
    auto rs = db->OpenRecordset("select id, Name from divers order by id");
    EXPECT_EQ(rs->FieldNames(), QStringList({"ID", "NAME"}));  // as the table names them
    EXPECT_EQ(rs->Field("NAME"), rs->Field("name"));
    EXPECT_EQ((*rs)["ID"], Value(1));
    EXPECT_TRUE(rs->HasField("nAmE"));
    EXPECT_FALSE(rs->HasField("DEPTH"));
    EXPECT_EQ(ErrorOf([&] { rs->Field("DEPTH"); }), SQLITE_ERROR);

    auto agg = db->OpenRecordset("Select MIN(N) as MINN, COUNT(NAME) as TOTAL from DIVERS ;");
    EXPECT_EQ(agg->Field("minn"), Value(1));
    EXPECT_EQ(agg->Field("Total"), Value(3));
    auto none = db->OpenRecordset("Select MIN(N) as MINN from DIVERS where N > ? ;", {99});
    ASSERT_FALSE(none->EOF());
    EXPECT_TRUE(none->Field("MINN").IsNull());
}

TEST_F(DbTest, AddNewAppendsTheRowAndKeepsThePosition)
{
    auto rs = db->OpenRecordset("SELECT * FROM DIVERS WHERE N >= ? ORDER BY N ;", {2});
    ASSERT_EQ(rs->Field("NAME").ToString(), "Bob");
    rs->AddNew();
    EXPECT_TRUE(rs->Field("NAME").IsNull());
    rs->SetField("name", "Dee");
    rs->SetField("N", 0);  // outside the set's filter: still appended, like a dynaset
    EXPECT_EQ(rs->Field("NAME").ToString(), "Dee");
    const qint64 id = rs->Update();

    EXPECT_EQ(id, db->Scalar("SELECT MAX(ID) FROM DIVERS").ToLong());
    EXPECT_EQ(id, rs->LastModified());
    EXPECT_EQ(rs->RecordCount(), 3);
    EXPECT_EQ(rs->Field("NAME").ToString(), "Bob");
    EXPECT_EQ(rs->AbsolutePosition(), 0);
    rs->MoveLast();
    EXPECT_EQ(rs->Field("ID").ToLong(), id);
    EXPECT_EQ(rs->Field("N"), Value(0));
    EXPECT_TRUE(rs->Field("DEPTH").IsNull());  // columns not set stay Null

    // Counters are never reused, even after the last row is deleted.
    db->Execute("DELETE FROM DIVERS WHERE ID = ?", {id});
    rs->AddNew();
    EXPECT_GT(rs->Update(), id);
}

TEST_F(DbTest, AddNewAtEofStaysAtEof)
{
    db->Execute("DELETE FROM DIVERS");
    auto rs = db->OpenTable("DIVERS");
    rs->AddNew();
    rs->SetField("NAME", "Ann");
    rs->Update();
    EXPECT_TRUE(rs->EOF());
    rs->MoveFirst();
    EXPECT_EQ(rs->Field("NAME").ToString(), "Ann");
}

TEST_F(DbTest, EditWritesOnlyTheChangedColumnsOfOneRow)
{
    auto rs = db->OpenRecordset("Select * from DIVERS ORDER by ID ;");
    rs->MoveNext();
    ASSERT_EQ(rs->Field("NAME").ToString(), "Bob");
    rs->Field("N");                                           // the row is read and cached
    db->Execute("UPDATE DIVERS SET N = 42 WHERE ID = 2");     // changed behind the set
    EXPECT_EQ(rs->Field("N"), Value(42));                     // the set sees the change
    rs->Edit();
    rs->SetField("DEPTH", 21.5);
    EXPECT_EQ(rs->Field("DEPTH"), Value(21.5));
    EXPECT_EQ(rs->Update(), 2);
    EXPECT_EQ(rs->LastModified(), 2);
    EXPECT_EQ(rs->Field("DEPTH"), Value(21.5));
    EXPECT_EQ(db->Scalar("SELECT N FROM DIVERS WHERE ID = 2"), Value(42));
    EXPECT_EQ(db->Scalar("SELECT group_concat(DEPTH, ',') FROM DIVERS ORDER BY ID").ToString(), "10.5,21.5,30.0");

    rs->Edit();
    rs->SetField("NAME", "Bobby");
    rs->MoveNext();  // moving drops a pending edit
    EXPECT_EQ(NameOf(2), "Bob");
    EXPECT_EQ(ErrorOf([&] { rs->SetField("NAME", "x"); }), SQLITE_MISUSE);
    EXPECT_EQ(ErrorOf([&] { rs->Update(); }), SQLITE_MISUSE);
    rs->Edit();
    rs->SetField("NAME", "Cyd");
    rs->CancelUpdate();
    EXPECT_EQ(NameOf(3), "Cy");
}

TEST_F(DbTest, DeleteThenMoveNext)
{
    auto rs = db->OpenRecordset("SELECT * FROM DIVERS ORDER BY ID");
    rs->MoveNext();
    rs->Delete();
    EXPECT_EQ(ErrorOf([&] { rs->Field("NAME"); }), SQLITE_MISUSE);
    EXPECT_FALSE(rs->EOF());
    EXPECT_EQ(rs->RecordCount(), 2);
    rs->MoveNext();
    EXPECT_EQ(rs->Field("NAME").ToString(), "Cy");
    rs->Delete();
    EXPECT_FALSE(rs->EOF());
    rs->MoveNext();
    EXPECT_TRUE(rs->EOF());
    rs->MovePrevious();
    EXPECT_EQ(rs->Field("NAME").ToString(), "Ann");
    EXPECT_EQ(Count(), 1);

    // Deleting every row with the usual loop.
    for (rs->MoveFirst(); !rs->EOF(); rs->MoveNext())
        rs->Delete();
    EXPECT_EQ(Count(), 0);
}

TEST_F(DbTest, RowDeletedBehindTheSetFailsCleanly)
{
    auto rs = db->OpenRecordset("SELECT * FROM DIVERS");
    db->Execute("DELETE FROM DIVERS WHERE ID = 1");
    EXPECT_NE(ErrorOf([&] { rs->Field("NAME"); }), SQLITE_OK);
    rs->MoveNext();
    EXPECT_EQ(rs->Field("NAME").ToString(), "Bob");
}

TEST_F(DbTest, SetsOverJoinsAndAggregatesAreReadOnly)
{
    const char* readOnly[] = {
        "Select DISTINCT NAME from DIVERS ;",
        "Select COUNT(ID) as TOT from DIVERS ;",
        "SELECT DIVERS.NAME, SITES.SITE FROM DIVERS INNER JOIN SITES ON SITES.DIVERID = DIVERS.ID",
        "SELECT * FROM DIVERS, SITES",
        "SELECT N FROM DIVERS GROUP BY N",
        "SELECT NAME AS WHO FROM DIVERS",
    };
    for (const char* sql : readOnly) {
        SCOPED_TRACE(sql);
        auto rs = db->OpenRecordset(sql);
        EXPECT_FALSE(rs->Updatable());
        EXPECT_EQ(ErrorOf([&] { rs->AddNew(); }), SQLITE_READONLY);
        EXPECT_EQ(ErrorOf([&] { rs->Edit(); }), SQLITE_READONLY);
        EXPECT_EQ(ErrorOf([&] { rs->Delete(); }), SQLITE_READONLY);
    }
    EXPECT_EQ(Count(), 3);
    EXPECT_TRUE(db->OpenRecordset("select ID, NAME from [DIVERS] where N > 1 order by N desc ;")->Updatable());
}

TEST_F(DbTest, OpenTableIsInKeyOrderAndUpdatable)
{
    db->Execute("CREATE TABLE LEGS (DCID INTEGER, LEGNO INTEGER, HEADING INTEGER, PRIMARY KEY (DCID, LEGNO));"
                "INSERT INTO LEGS VALUES (2, 1, 90), (1, 2, 180), (1, 1, 270);");
    auto legs = db->OpenTable("legs");
    QStringList order;
    for (; !legs->EOF(); legs->MoveNext())
        order << legs->Field("DCID").ToString() + "/" + legs->Field("LEGNO").ToString();
    EXPECT_EQ(order, QStringList({"1/1", "1/2", "2/1"}));
    legs->AddNew();
    legs->SetField("DCID", 3);
    legs->SetField("LEGNO", 1);
    legs->Update();
    EXPECT_EQ(Count("SELECT COUNT(*) FROM LEGS"), 4);

    db->Execute("CREATE TABLE CODES (CODE TEXT PRIMARY KEY, N INTEGER); INSERT INTO CODES VALUES ('b', 1), ('a', 2);");
    EXPECT_EQ(db->OpenTable("CODES")->Field("CODE").ToString(), "a");
    EXPECT_EQ(db->OpenTable("SITES")->Field("SITE").ToString(), "Reef");
    EXPECT_EQ(ErrorOf([&] { db->OpenTable("NOPE"); }), SQLITE_ERROR);
}

TEST_F(DbTest, RequeryReadsTheRowsAgain)
{
    auto rs = db->OpenRecordset("SELECT * FROM DIVERS WHERE N > ? ORDER BY N DESC", {1});
    EXPECT_EQ(rs->RecordCount(), 2);
    db->Execute("INSERT INTO DIVERS (NAME, N) VALUES ('Dee', 9)");
    rs->MoveLast();
    rs->Requery();
    EXPECT_EQ(rs->RecordCount(), 3);
    EXPECT_EQ(rs->Field("NAME").ToString(), "Dee");
}

TEST_F(DbTest, ExecuteRunsSeveralStatementsWithParametersInOrder)
{
    EXPECT_EQ(db->Execute("UPDATE DIVERS SET N = ? WHERE ID = ?; UPDATE DIVERS SET N = ? WHERE ID > ? ;",
                          {10, 1, 20, 1}),
              3);
    EXPECT_EQ(db->Scalar("SELECT group_concat(N) FROM DIVERS ORDER BY ID").ToString(), "10,20,20");
    EXPECT_EQ(db->Execute("Delete * from SITES where DIVERID = ? ;", {1}), 2);
    EXPECT_EQ(db->Execute("INSERT INTO SITES (SITE) VALUES ('x; Delete * from DIVERS'); Delete * from DIVERS  ;"), 4);
    EXPECT_EQ(db->Scalar("SELECT SITE FROM SITES WHERE DIVERID IS NULL").ToString(), "x; Delete * from DIVERS");
    EXPECT_EQ(ErrorOf([&] { db->Execute("DELETE FROM SITES WHERE SITEID = ?", {}); }), SQLITE_RANGE);
    EXPECT_EQ(ErrorOf([&] { db->Execute("DELETE FROM SITES", {1}); }), SQLITE_RANGE);
    EXPECT_EQ(ErrorOf([&] { db->Execute("DELETE FROM NOPE"); }), SQLITE_ERROR);
    EXPECT_EQ(ErrorOf([&] { db->OpenRecordset("SELECT NOPE FROM SITES"); }), SQLITE_ERROR);
}

TEST_F(DbTest, TransactionRollsBackUnlessCommitted)
{
    {
        Transaction tx(*db);
        db->Execute("DELETE FROM DIVERS");
    }
    EXPECT_EQ(Count(), 3);
    {
        Transaction tx(*db);
        db->Execute("DELETE FROM DIVERS WHERE ID = 1");
        tx.Commit();
    }
    EXPECT_EQ(Count(), 2);
}

TEST_F(DbTest, NestedTransactions)
{
    {
        Transaction outer(*db);
        db->Execute("DELETE FROM DIVERS WHERE ID = 1");
        {
            Transaction inner(*db);
            db->Execute("DELETE FROM DIVERS WHERE ID = 2");
        }  // the inner writes roll back alone
        EXPECT_EQ(Count(), 2);
        {
            Transaction inner(*db);
            db->Execute("DELETE FROM DIVERS WHERE ID = 3");
            inner.Commit();
        }
        outer.Commit();
    }
    EXPECT_EQ(NameOf(2), "Bob");
    EXPECT_EQ(Count(), 1);
    {
        Transaction outer(*db);
        {
            Transaction inner(*db);
            db->Execute("DELETE FROM DIVERS");
            inner.Commit();
        }
    }  // the outer guard undoes what the committed inner one did
    EXPECT_EQ(Count(), 1);
    Transaction after(*db);  // the guards left no transaction open
    after.Commit();
}

// When SQLite throws a transaction away on its own, nothing later under the guard
// runs (each statement would otherwise commit alone) and its commit fails.
TEST_F(DbTest, ATransactionSqliteRolledBackStopsWhole)
{
    db->Execute("CREATE TABLE SPARE (ID INTEGER)");
    db->Execute("INSERT INTO SPARE VALUES (1)");
    db->Execute("CREATE TRIGGER sites_kept BEFORE DELETE ON SITES BEGIN SELECT RAISE(ROLLBACK, 'kept'); END");
    {
        Transaction outer(*db);
        db->Execute("DELETE FROM DIVERS");
        Transaction inner(*db);
        EXPECT_EQ(ErrorOf([&] { db->Execute("DELETE FROM SITES"); }), SQLITE_CONSTRAINT);
        EXPECT_NE(ErrorOf([&] { db->Execute("DELETE FROM SPARE"); }), SQLITE_OK);
        EXPECT_NE(ErrorOf([&] { inner.Commit(); }), SQLITE_OK);
        EXPECT_NE(ErrorOf([&] { outer.Commit(); }), SQLITE_OK);
    }
    EXPECT_EQ(Count(), 3);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM SITES"), 3);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM SPARE"), 1);
    Transaction after(*db);  // once the guards are gone the database works again
    db->Execute("DELETE FROM SPARE");
    after.Commit();
    EXPECT_EQ(Count("SELECT COUNT(*) FROM SPARE"), 0);
}

// A set shows what the file holds: values read while a transaction was open are
// read again once it rolls back, whole or to an inner guard's savepoint.
TEST_F(DbTest, RolledBackValuesAreNotShown)
{
    auto rs = db->OpenRecordset("SELECT * FROM DIVERS ORDER BY ID");
    ASSERT_EQ(rs->Field("NAME"), Value("Ann"));
    {
        Transaction tx(*db);
        db->Execute("UPDATE DIVERS SET NAME = 'Edited' WHERE ID = 1");
        EXPECT_EQ(rs->Field("NAME"), Value("Edited"));
    }
    EXPECT_EQ(rs->Field("NAME"), Value("Ann"));
    {
        Transaction outer(*db);
        {
            Transaction inner(*db);
            rs->Edit();
            rs->SetField("NAME", "Inner");
            rs->Update();
            EXPECT_EQ(rs->Field("NAME"), Value("Inner"));
        }
        EXPECT_EQ(rs->Field("NAME"), Value("Ann"));
        outer.Commit();
    }
    EXPECT_EQ(NameOf(1), "Ann");
    db->Execute("BEGIN; UPDATE DIVERS SET NAME = 'Raw' WHERE ID = 1;");
    EXPECT_EQ(rs->Field("NAME"), Value("Raw"));
    db->Execute("ROLLBACK");
    EXPECT_EQ(rs->Field("NAME"), Value("Ann"));
}

TEST_F(DbTest, RecordsetAfterCloseThrows)
{
    auto rs = db->OpenRecordset("SELECT * FROM DIVERS");
    auto snapshot = db->OpenRecordset("SELECT COUNT(*) AS C FROM DIVERS");
    db->Close();
    db->Close();
    EXPECT_FALSE(db->IsOpen());
    EXPECT_EQ(ErrorOf([&] { rs->Field("NAME"); }), SQLITE_MISUSE);
    EXPECT_EQ(ErrorOf([&] { rs->Requery(); }), SQLITE_MISUSE);
    EXPECT_EQ(ErrorOf([&] { db->Execute("DELETE FROM DIVERS"); }), SQLITE_MISUSE);
    EXPECT_EQ(snapshot->Field("C"), Value(3));
}

// Files that are not (whole) databases fail with DbError at open or at the first
// query, never with a crash.
TEST_F(DbTest, DamagedFilesGiveDbError)
{
    // Enough rows for many pages, so that cutting the file loses some of them.
    db->Execute("CREATE TABLE BIG (ID INTEGER PRIMARY KEY, MEMO TEXT)");
    {
        Transaction tx(*db);
        for (int i = 0; i < 2000; ++i)
            db->Execute("INSERT INTO BIG (MEMO) VALUES (?)", {QString(200, QChar('a' + i % 26))});
        tx.Commit();
    }
    db->Close();
    QFile real(path);
    ASSERT_TRUE(real.open(QIODevice::ReadOnly));
    const QByteArray bytes = real.readAll();
    ASSERT_GT(bytes.size(), 100000);

    QByteArray random(8192, '\0');
    quint32 seed = 12345;
    for (char& c : random)
        c = char((seed = seed * 1103515245u + 12345u) >> 16);
    QByteArray scrambled = bytes;
    for (int i = 0; i < 16; ++i)
        scrambled[i] = char(scrambled[i] ^ 0x5A);

    const struct {
        const char* name;
        QByteArray content;
    } files[] = {
        {"random.dlg", random},
        {"empty.dlg", QByteArray()},
        {"short.dlg", bytes.left(50)},
        {"halved.dlg", bytes.left(bytes.size() / 2)},
        {"scrambled.dlg", scrambled},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        const QString file = dir.filePath(f.name);
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(f.content);
        out.close();
        const int error = ErrorOf([&] {
            auto damaged = Database::Open(file);
            for (const char* table : {"DIVERS", "SITES", "BIG"}) {
                auto rs = damaged->OpenRecordset(QString("SELECT * FROM ") + table);
                for (; !rs->EOF(); rs->MoveNext())
                    rs->Field("ID");
            }
        });
        EXPECT_NE(error, SQLITE_OK);
    }
    EXPECT_EQ(ErrorOf([&] { Database::Open(dir.filePath("random.dlg")); }), SQLITE_NOTADB);
    EXPECT_EQ(ErrorOf([&] { Database::Open(dir.filePath("scrambled.dlg")); }), SQLITE_NOTADB);
    EXPECT_EQ(ErrorOf([&] { Database::Open(dir.filePath("empty.dlg")); }), SQLITE_NOTADB);
}

// A write that fails for a cause the diver can act on reads as that cause in one
// sentence; SQLite's own text and the statement stay in what() for the log.
TEST_F(DbTest, WriteFailuresSpeakTheDiversLanguage)
{
    const auto failureOf = [](const std::function<void()>& write) -> std::optional<DbError> {
        try {
            write();
        } catch (const DbError& e) {
            return e;
        }
        return std::nullopt;
    };
    const QString update = "UPDATE DIVERS SET NAME = 'x'";
    db->Close();
    const struct {
        const char* sentence;
        std::function<void()> write;
    } cases[] = {
        {"The log is read-only.", [&] { Database::Open(path, OpenMode::ReadOnly)->Execute(update); }},
        {"The disk is full.",
         [&] {
             auto log = Database::Open(path);
             log->Execute("PRAGMA max_page_count = " + log->Scalar("PRAGMA page_count").ToString());
             log->Execute("INSERT INTO SITES (SITE) VALUES (?)", {QString(20000, 'x')});
         }},
        {"The log is in use by another program.",
         [&] {
             auto other = Database::Open(path);
             other->Execute("BEGIN EXCLUSIVE");
             Database::Open(path, OpenMode::ReadOnly);   // reading the schema waits, then gives up
         }},
        {"The log's folder is gone.",
         [&] {
             QTemporaryDir folder;
             const QString moved = folder.filePath("log.dlg");
             ASSERT_TRUE(QFile::copy(path, moved));
             auto log = Database::Open(moved);
             ASSERT_TRUE(folder.remove());
             log->Execute(update);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sentence);
        const auto error = failureOf(c.write);
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(DiverText(*error), c.sentence);
        EXPECT_FALSE(DiverText(*error).contains("UPDATE"));
    }
    const auto failure = failureOf([&] { Database::Open(path, OpenMode::ReadOnly)->Execute(update); });
    ASSERT_TRUE(failure.has_value());
    EXPECT_TRUE(failure->Message().contains(update)) << failure->what();   // kept for the log
}

TEST_F(DbTest, OpenNeverCreatesAFile)
{
    const QString missing = dir.filePath("missing.dlg");
    EXPECT_EQ(ErrorOf([&] { Database::Open(missing); }), SQLITE_CANTOPEN);
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_EQ(ErrorOf([&] { Database::Open(dir.path()); }), SQLITE_CANTOPEN);
}

// The guard's check runs before the first statement that writes, on every road a write
// takes (a statement, a recordset's update or delete, a scalar), never for a read; a
// refusal is kept and nothing is written, another failure of the check is not kept.
TEST_F(DbTest, GuardedWritesWaitForOneCheckAndAKeptRefusal)
{
    int checks = 0;
    bool refuse = false;
    bool busy = false;
    db->GuardWrites([&](Database& guarded) {
        EXPECT_EQ(&guarded, db.get());
        ++checks;
        if (busy)
            throw DbError(SQLITE_BUSY, "database is locked");
        if (refuse)
            throw WriteRefused("\"log\" is damaged, so nothing was written to it.");
    });
    auto rs = db->OpenRecordset("SELECT * FROM DIVERS ORDER BY ID");
    EXPECT_EQ(Count(), 3);
    EXPECT_EQ(checks, 0);

    busy = true;
    EXPECT_EQ(ErrorOf([&] { db->Execute("UPDATE DIVERS SET N = 9"); }), SQLITE_BUSY);
    busy = false;
    refuse = true;
    const std::vector<std::pair<const char*, std::function<void()>>> writes{
        {"a statement", [&] { db->Execute("UPDATE DIVERS SET N = 9"); }},
        {"a recordset's update", [&] { rs->Edit(); rs->SetField("N", 9); rs->Update(); }},
        {"a recordset's delete", [&] { rs->Delete(); }},
        {"a scalar", [&] { db->Scalar("INSERT INTO DIVERS (NAME) VALUES ('Di') RETURNING ID"); }},
        {"a transaction's write", [&] {
             Transaction tx(*db);
             db->Execute("DELETE FROM SITES");
             tx.Commit();
         }},
        {"the check asked for", [&] { db->CheckWrites(); }},
    };
    for (const auto& [road, write] : writes) {
        try {
            write();
            ADD_FAILURE() << road << " was written";
        } catch (const WriteRefused& refused) {
            EXPECT_EQ(KnownCause(refused), "\"log\" is damaged, so nothing was written to it.") << road;
        }
    }
    EXPECT_EQ(checks, 2);   // the busy check, then the refusal, kept
    EXPECT_EQ(Count("SELECT SUM(N) FROM DIVERS"), 6);
    EXPECT_EQ(Count(), 3);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM SITES"), 3);

    db->GuardWrites([&](Database&) { ++checks; });
    db->Execute("UPDATE DIVERS SET N = 9");
    db->Execute("UPDATE DIVERS SET N = 8");
    EXPECT_EQ(checks, 3);
    EXPECT_EQ(Count("SELECT SUM(N) FROM DIVERS"), 24);
}

TEST_F(DbTest, KeepsTheRollbackJournal)
{
    EXPECT_EQ(db->Scalar("PRAGMA journal_mode").ToString(), "delete");
}

} // namespace
