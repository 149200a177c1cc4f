// A new user's road on the sample log: every side-bar item, dives added by hand at
// the beginning, in the middle and at the end, edited, browsed, deleted, and a
// fresh start in an emptied log.
#include "tests/shell/MainFrmTest.h"

#include "dive/AddDiveOption.h"
#include "dive/DiveFrm.h"
#include "dive/DivesListingFrm.h"
#include "forms/ModalForms.h"
#include "platform/widgets/SmartSideBar.h"
#include "platform/widgets/SmartToolBar.h"
#include "shell/core/Global_Vars.h"
#include "shell/MDI_MainFrm.h"
#include "tests/support/QtPrint.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include <map>

namespace kvl::test {
namespace {

class NewUserRoadTest : public MainFrmTest {
protected:
    void SetUp() override
    {
        MainFrmTest::SetUp();
        InstallModalRunner([this](QDialog& dialog) {
            auto* add = qobject_cast<AddDiveOption*>(&dialog);
            if (!add) {
                ADD_FAILURE() << "unexpected window";
                return 0;
            }
            add->Option2[static_cast<int>(place)]->setChecked(true);
            if (!typed.isEmpty())
                add->Text1[static_cast<int>(place)]->setText(typed);
            add->OKCmd->click();
            return add->result();
        });
        ASSERT_TRUE(StartUp());
    }
    void TearDown() override
    {
        InstallModalRunner({});
        DivesListingFrm::Unload();
        MainFrmTest::TearDown();
    }
    void Side(const QString& key) { MainFrm().SmartBar->Items(key).SetSelected(true); }
    void Tool(const QString& key) { MainFrm().SmartUI1_ItemClick(key); }
    void Add(LtdPlace where, const QString& number = {})
    {
        place = where;
        typed = number;
        Tool("AddDive");
    }
    // Lifetime number of every dive by its id.
    std::map<qint64, qint64> Numbers()
    {
        std::map<qint64, qint64> numbers;
        auto rs = gv.DB->OpenRecordset("Select DIVEID, LIFETIMEDIVENO from DIVEDATA");
        for (; !rs->EOF(); rs->MoveNext())
            numbers[rs->Field("DIVEID").ToLong()] = rs->Field("LIFETIMEDIVENO").ToLong();
        return numbers;
    }
    void PickInListing(qint64 diveId)
    {
        auto* listing = qobject_cast<DivesListingFrm*>(MainFrm().SmartUI1_ItemDropDown("LTD"));
        ASSERT_NE(listing, nullptr);
        for (int r = 0; r < listing->Grid->rowCount(); ++r)
            if (gv.DB->Scalar("Select DIVEID from DIVEDATA where LIFETIMEDIVENO = ?",
                              {listing->Grid->item(r, 0)->text().toLongLong()}).ToLong() == diveId)
                return listing->Grid_Click(r);
        ADD_FAILURE() << "dive " << diveId << " is not listed";
    }
    void DeleteCurrent()
    {
        dialogs.ExpectMsg("Are you sure to want to delete dive #" + gv.CurrentDive.LIFETIMEDIVENO.ToString() + "?",
                          MsgAnswer::Yes);
        Tool("DeleteDive");
    }

    LtdPlace place = LtdPlace::End;
    QString typed;
};

TEST_F(NewUserRoadTest, AddEditBrowseAndDeleteDivesOnTheSampleLog)
{
    ASSERT_EQ(gv.ActiveFormID, FormCode::Personal);
    const auto original = Numbers();
    ASSERT_GE(original.size(), 5u);
    qint64 first = original.begin()->second;
    for (const auto& [id, ltd] : original)
        first = std::min(first, ltd);

    // Every side-bar item; the sample's dives were entered by hand, so the profile
    // falls back to the dive record.
    const std::pair<const char*, int> items[] = {
        {"DiveComputer", 2}, {"Dive", 3}, {"Location", 5}, {"Gear", 7}, {"Buddies", 4},
        {"History", 8},      {"Queries", 9}, {"Personal", 1},
    };
    for (const auto& [key, code] : items) {
        Side(key);
        EXPECT_EQ(gv.ActiveFormID, code) << key;
    }
    dialogs.ExpectMsg("Dive Details is not available for Manual Entry Dive.");
    Side("Details");
    EXPECT_EQ(gv.ActiveFormID, FormCode::Dive);

    // Three dives by hand: the later numbers shift right each time.
    for (const auto& [where, number] : {std::pair{LtdPlace::Beginning, QString()},
                                        std::pair{LtdPlace::Middle, QString::number(first + 2)},
                                        std::pair{LtdPlace::End, QString()}}) {
        const auto before = Numbers();
        Add(where, number);
        ASSERT_EQ(gv.ActiveFormID, FormCode::Dive);
        const qint64 added = gv.CurrentDiveID;
        const qint64 ltd = Numbers()[added];
        for (const auto& [id, old] : before)
            EXPECT_EQ(Numbers()[id], old >= ltd ? old + 1 : old);
        // Edit it and move on: saved on its own row.
        DiveFrm::Instance().MemoTxt().SetText("Added by hand");
        emit DiveFrm::Instance().MemoTxt().KeyDown(0);
        dialogs.ExpectMsg("Do you want to save the changes?", MsgAnswer::Yes);
        Tool(where == LtdPlace::End ? "PrevDive" : "NextDive");
        EXPECT_NE(gv.CurrentDiveID, added);
        EXPECT_EQ(gv.DB->Scalar("Select MEMO from DIVEDATA where DIVEID = ?", {added}).ToString(), "Added by hand");
    }

    // Back to each added dive through the listing, and delete it: numbers close up.
    auto rs = gv.DB->OpenRecordset("Select DIVEID from DIVEDATA where MEMO = 'Added by hand'");
    std::vector<qint64> added;
    for (; !rs->EOF(); rs->MoveNext())
        added.push_back(rs->Field("DIVEID").ToLong());
    ASSERT_EQ(added.size(), 3u);
    for (qint64 id : added) {
        PickInListing(id);
        ASSERT_EQ(gv.CurrentDiveID, id);
        DeleteCurrent();
    }
    EXPECT_EQ(Numbers(), original);

    // The four buttons.
    qint64 last = first;
    for (const auto& [id, ltd] : original)
        last = std::max(last, ltd);
    Tool("LastDive");
    EXPECT_EQ(gv.CurrentDive.LIFETIMEDIVENO.ToLong(), last);
    Tool("FirstDive");
    EXPECT_EQ(gv.CurrentDive.LIFETIMEDIVENO.ToLong(), first);

    // Delete all dives: the diver's form shows; then a first dive again.
    dialogs.ExpectMsg("Are you sure to want to delete all dives?", MsgAnswer::Yes);
    Tool("DeleteAllDives");
    EXPECT_EQ(gv.ActiveFormID, FormCode::Personal);
    EXPECT_TRUE(Numbers().empty());
    Add(LtdPlace::Beginning);
    EXPECT_EQ(gv.ActiveFormID, FormCode::Dive);
    EXPECT_EQ(Numbers().size(), 1u);
    EXPECT_EQ(gv.CurrentDive.LIFETIMEDIVENO.ToLong(), 1);
}

} // namespace
} // namespace kvl::test
