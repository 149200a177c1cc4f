#pragma once
// A fresh log from the template, open in `log`, with one dive and helpers that read
// its row and make the log refuse writes.

#include "platform/db/Db.h"
#include "shell/core/Global_Vars.h"
#include "tests/support/KvlTest.h"
#include "tests/support/LogFixture.h"

#include <QTemporaryDir>

#include <memory>

namespace kvl::test {

class LocationLogTest : public KvlTest {
protected:
    void SetUp() override
    {
        KvlTest::SetUp();
        ASSERT_TRUE(MakeFreshLog(dir.filePath("Site.dlg")));
        log = db::Database::Open(dir.filePath("Site.dlg"));
        dive = InsertRow(*log, "DIVEDATA", {{"LIFETIMEDIVENO", 1}, {"DIVEDATE", "2024/05/01"}, {"DIVETIME", "10:00"}});
        SetUnits(1);
    }
    void TearDown() override
    {
        log.reset();
        KvlTest::TearDown();
    }
    // 1 imperial (as stored), 0 metric.
    static void SetUnits(quint8 flag)
    {
        gv.UnitDepth = flag;
        gv.UnitTemp = flag;
    }
    db::Value Field(const QString& column, qint64 diveId = 0)
    {
        return log->Scalar("SELECT " + column + " FROM DIVEDATA WHERE DIVEID = ? ;", {diveId ? diveId : dive});
    }
    void SetField(const QString& column, const db::Value& value, qint64 diveId = 0)
    {
        log->Execute("UPDATE DIVEDATA SET " + column + " = ? WHERE DIVEID = ? ;", {value, diveId ? diveId : dive});
    }
    qint64 Count(const QString& sql, const db::Params& params = {}) { return log->Scalar(sql, params).ToLong(); }
    // Makes every write of this kind to the table fail, as a damaged or locked log would.
    void RefuseWrites(const QString& table, const QString& kind)
    {
        log->Execute(QString("CREATE TRIGGER refuse_%1_%2 BEFORE %2 ON %1 BEGIN SELECT raise(abort, 'refused'); END ;")
                         .arg(table, kind));
    }

    QTemporaryDir dir;
    std::unique_ptr<db::Database> log;
    qint64 dive = 0;
};

} // namespace kvl::test
