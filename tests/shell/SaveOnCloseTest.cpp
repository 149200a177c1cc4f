// What the log holds after the user leaves an edited form: by a side-bar switch,
// by the tool bar's "Save" and before printing. The rules behind it are tested as
// a table in tests/shell/core; here is what the user gets from them.
#include "tests/shell/CommandsTest.h"

#include "people/PersonalFrm.h"
#include "platform/widgets/PropertyGrid.h"
#include "shell/MDI_MainFrm.h"
#include "shell/core/FormCode.h"


namespace kvl::test {
namespace {

enum class Road { SideBarSwitch, SaveCommand, BeforePrint };

class SaveOnCloseTest : public CommandsTest {
protected:
    void Leave(Road road, int code, const char* otherKey)
    {
        switch (road) {
        case Road::SideBarSwitch: Side(otherKey); break;
        case Road::SaveCommand: Tool("Save"); break;
        case Road::BeforePrint: Frm().SaveChildFormChanges(code); break;
        }
    }
    QString StoredCity() { return gv.DB->Scalar("Select CITY from USERINFO where USERTYPE = 1 ;").ToString(); }
};

TEST_F(SaveOnCloseTest, TheDiversRecordIsWrittenWhenItClosesAndBeforePrintingButNotBySave)
{
    const std::pair<Road, bool> cases[] = {
        {Road::SideBarSwitch, true}, {Road::BeforePrint, true}, {Road::SaveCommand, false}};
    AddDives(1);
    for (const auto& [road, written] : cases) {
        SCOPED_TRACE(int(road));
        Side("Personal");
        const QString city = QStringLiteral("O'Neil Bay %1").arg(int(road));
        PersonalFrm::Instance().PInfo().TypeValue("CITY", city);
        Leave(road, FormCode::Personal, "DiveComputer");
        EXPECT_EQ(StoredCity() == city, written);
        Side("DiveComputer");   // closing writes it in the end
        EXPECT_EQ(StoredCity(), city);
    }
    EXPECT_TRUE(dialogs.MessageTexts().isEmpty());
}

TEST_F(SaveOnCloseTest, TheDiveRecordsEditIsWrittenOnEveryRoadWithoutAQuestion)
{
    AddDives(1);
    int n = 0;
    for (Road road : {Road::SideBarSwitch, Road::SaveCommand, Road::BeforePrint}) {
        SCOPED_TRACE(int(road));
        Side("Dive");
        const QString memo = QStringLiteral("O'Neil wreck %1").arg(++n);
        EditMemo(memo);
        Leave(road, FormCode::Dive, "Personal");
        EXPECT_EQ(Stored(IdOf(1), "MEMO").ToString(), memo);
        Side("Personal");
    }
    EXPECT_TRUE(dialogs.MessageTexts().isEmpty());
}

TEST_F(SaveOnCloseTest, AnUnchangedDiveRecordIsNotWritten)
{
    AddDives(1);
    Side("Dive");
    gv.DB->Execute("Update DIVEDATA set MEMO = 'Written elsewhere'");   // would be overwritten by a needless save
    for (Road road : {Road::SaveCommand, Road::BeforePrint, Road::SideBarSwitch})
        Leave(road, FormCode::Dive, "Personal");
    EXPECT_EQ(Stored(IdOf(1), "MEMO").ToString(), "Written elsewhere");
}

} // namespace
} // namespace kvl::test
