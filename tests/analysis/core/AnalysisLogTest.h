#pragma once
// A fresh, empty log open in gv.DB with metric units, and a helper to add dives.

#include "shell/core/Global_Vars.h"
#include "tests/support/KvlTest.h"
#include "tests/support/LogFixture.h"

namespace kvl::test {

class AnalysisLogTest : public KvlTest {
protected:
    void SetUp() override
    {
        KvlTest::SetUp();
        gv = Global_Vars{};
        ASSERT_TRUE(MakeFreshLog(Home() + "/Test.dlg"));
        gv.DB = db::Database::Open(Home() + "/Test.dlg");
    }
    void TearDown() override
    {
        gv = Global_Vars{};
        KvlTest::TearDown();
    }
    db::Database& Db() { return *gv.DB; }
    qint64 AddDive(const Columns& columns) { return InsertRow(Db(), "DIVEDATA", columns); }
    qint64 AddPerson(const QString& name, int type) { return InsertRow(Db(), "USERINFO", {{"NAME", name}, {"USERTYPE", type}}); }
};

} // namespace kvl::test
