#pragma once
// A fresh log from the template, open in `log`, with helpers for people and links.

#include "platform/db/Db.h"
#include "tests/support/KvlTest.h"
#include "tests/support/LogFixture.h"

#include <QTemporaryDir>

#include <memory>
#include <utility>
#include <vector>

namespace kvl::test {

class PeopleLogTest : public KvlTest {
protected:
    void SetUp() override
    {
        KvlTest::SetUp();
        ASSERT_TRUE(MakeFreshLog(dir.filePath("People.dlg")));
        log = db::Database::Open(dir.filePath("People.dlg"));
    }
    void TearDown() override
    {
        log.reset();
        KvlTest::TearDown();
    }

    qint64 AddPerson(const QString& name, int type, const Columns& more = {})
    {
        Columns columns{{"NAME", name}, {"USERTYPE", type}};
        columns.insert(columns.end(), more.begin(), more.end());
        return InsertRow(*log, "USERINFO", columns);
    }
    void Link(const QString& table, const QString& idField, qint64 diveId, qint64 personId)
    {
        InsertRow(*log, table, {{"DIVEID", diveId}, {idField, personId}});
    }
    // The (DIVEID, person id) rows of a link table, in row order.
    using LinkRows = std::vector<std::pair<qint64, qint64>>;
    LinkRows Links(const QString& table, const QString& idField)
    {
        LinkRows rows;
        auto rs = log->OpenRecordset("Select DIVEID, " + idField + " from " + table + " order by DIVEID, " + idField);
        for (; !rs->EOF(); rs->MoveNext())
            rows.emplace_back(rs->Field("DIVEID").ToLong(), rs->Field(idField).ToLong());
        return rows;
    }
    qint64 Count(const QString& sql, const db::Params& params = {}) { return log->Scalar(sql, params).ToLong(); }
    // Makes every write of this kind to the table fail, as a damaged or locked log would.
    void RefuseWrites(const QString& table, const QString& kind)
    {
        log->Execute(QString("Create trigger refuse_%1_%2 before %2 on %1 begin select raise(abort, 'refused'); end ;")
                         .arg(table, kind));
    }

    QTemporaryDir dir;
    std::unique_ptr<db::Database> log;
};

} // namespace kvl::test
