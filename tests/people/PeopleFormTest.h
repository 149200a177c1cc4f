#pragma once
// The program started on the sample log (the diver's form open), with helpers that
// read the log behind the forms and make its writes fail.

#include "platform/widgets/SmartSideBar.h"
#include "shell/MDI_MainFrm.h"
#include "shell/core/Global_Vars.h"
#include "tests/support/LogFixture.h"
#include "tests/shell/MainFrmTest.h"

namespace kvl::test {

class PeopleFormTest : public MainFrmTest {
protected:
    void SetUp() override
    {
        MainFrmTest::SetUp();
        ASSERT_TRUE(StartUp());
    }
    db::Database& Log() { return *gv.DB; }
    QString Text(const QString& sql, const db::Params& params = {}) { return Log().Scalar(sql, params).ToString(); }
    qint64 Number(const QString& sql, const db::Params& params = {}) { return Log().Scalar(sql, params).ToLong(); }
    // Makes every write of this kind to the table fail, as a damaged or locked log would.
    void RefuseWrites(const QString& table, const QString& kind)
    {
        Log().Execute(QString("Create trigger refuse_%1_%2 before %2 on %1 begin select raise(abort, 'refused'); end ;")
                          .arg(table, kind));
    }
    void AllowWrites(const QString& table, const QString& kind)
    {
        Log().Execute(QString("Drop trigger refuse_%1_%2 ;").arg(table, kind));
    }
    // Counts the updates of USERINFO rows from now on.
    void CountPersonUpdates()
    {
        Log().Execute("Create table UPDATES (USERID INTEGER) ;"
                      "Create trigger count_updates after update on USERINFO begin "
                      "insert into UPDATES values (new.USERID); end ;");
    }
    qint64 PersonUpdates() { return Number("Select count(*) from UPDATES ;"); }
    void OpenForm(const QString& sideKey) { MainFrm().SmartBar->Items(sideKey).SetSelected(true); }
};

} // namespace kvl::test
