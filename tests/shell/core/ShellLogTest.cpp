#include "tests/shell/core/ShellLogTest.h"

#include "tests/support/LogFixture.h"

#include <QHash>

namespace kvl::test {

void ShellLogTest::SetUp()
{
    KvlTest::SetUp();
    gv = Global_Vars{};
    logPath = Home() + "/Test.dlg";
    ASSERT_TRUE(MakeFreshLog(logPath));
    gv.DB = db::Database::Open(logPath);
    gv.DBIsOpen = true;
    gv.SortOrder = "LIFETIMEDIVENO ASC";
    gv.DiveListSQL = "Select * from DIVEDATA ORDER by " + gv.SortOrder;
    InstallMainWindowHooks(&hooks);
}

void ShellLogTest::TearDown()
{
    InstallMainWindowHooks(nullptr);
    gv = Global_Vars{};
    KvlTest::TearDown();
}

qint64 ShellLogTest::AddDive(const Columns& columns)
{
    return test::InsertRow(*gv.DB, "DIVEDATA", columns);
}

void ShellLogTest::AddChildRow(const QString& table, qint64 diveId)
{
    // The person and dive-type links also need the linked row's id.
    static const QHash<QString, QString> links{
        {"BUDDIES", "BUDDYID"}, {"CAPTAIN", "CAPID"}, {"CREWS", "CREWID"}, {"DIVETYPES", "TYPEID"}};
    const QString link = links.value(table);
    if (link.isEmpty())
        gv.DB->Execute("Insert into " + table + " (DIVEID) values (?)", {diveId});
    else
        gv.DB->Execute("Insert into " + table + " (DIVEID, " + link + ") values (?, 1)", {diveId});
}

std::vector<qint64> ShellLogTest::Numbers()
{
    std::vector<qint64> numbers;
    auto rs = gv.DB->OpenRecordset("Select LIFETIMEDIVENO from DIVEDATA ORDER BY DIVEID");
    for (; !rs->EOF(); rs->MoveNext())
        numbers.push_back(rs->Field("LIFETIMEDIVENO").ToLong());
    return numbers;
}

qint64 ShellLogTest::Count(const QString& table, qint64 diveId)
{
    return gv.DB->Scalar("Select COUNT(*) from " + table + " where DIVEID = ?", {diveId}).ToLong();
}

qint64 ShellLogTest::Count(const QString& table)
{
    return gv.DB->Scalar("Select COUNT(*) from " + table).ToLong();
}

} // namespace kvl::test
