// The side bar: switching child forms, the no-dive rule and the per-key guards.
#include "tests/shell/CommandsTest.h"

#include "analysis/DetailsFrm.h"
#include "analysis/QueriesFrm.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/widgets/SmartSideBar.h"
#include "platform/widgets/SmartToolBar.h"
#include "shell/MDI_MainFrm.h"
#include "site_gear/LocationFrm.h"

#include <QPushButton>

#include <functional>

namespace kvl::test {
namespace {

const QStringList kEightDiveItems{"LTD", "AddDive", "DeleteDive", "FirstDive", "LastDive", "PrevDive", "NextDive",
                                  "DeleteAllDives"};

class SideBarTest : public CommandsTest {
protected:
    // The side-bar items that look selected.
    QStringList MarkedItems()
    {
        QStringList marked;
        for (const auto& item : Frm().SmartBar->AllItems())
            if (item->Selected() && item->Kind() == BarItemKind::Button)
                marked << item->Key();
        return marked;
    }
    // The side-bar buttons that are drawn pressed.
    QStringList PressedButtons()
    {
        QStringList pressed;
        for (const auto& item : Frm().SmartBar->AllItems())
            if (item->Kind() == BarItemKind::Button && Frm().SmartBar->Button(item->Key())->isChecked())
                pressed << item->Key();
        return pressed;
    }
};

TEST_F(SideBarTest, EachItemOpensItsFormAndShowsOrHidesTheDiveItems)
{
    AddDives(3);
    struct Step {
        const char* key;
        int code;
        bool diveItems;
    };
    const Step steps[] = {
        {"Personal", 1, false}, {"DiveComputer", 2, false}, {"Buddies", 4, true}, {"Location", 5, true},
        {"Details", 6, true},   {"Gear", 7, true},          {"History", 8, false}, {"Queries", 9, false},
        {"Location", 5, true},  {"Logo", 0, true},
    };
    for (const Step& step : steps) {
        Side(step.key);
        EXPECT_EQ(gv.ActiveFormID, step.code) << step.key;
        EXPECT_EQ(ShownDiveItems(), step.diveItems ? kEightDiveItems : QStringList{}) << step.key;
    }
    EXPECT_FALSE(ToolItem("PDCSettings").Visible());
    Side("DiveComputer");
    EXPECT_TRUE(ToolItem("PDCSettings").Visible());
    EXPECT_FALSE(ToolItem("Units").Visible());
    Side("Personal");
    EXPECT_FALSE(ToolItem("PDCSettings").Visible());
    EXPECT_TRUE(dialogs.MessageTexts().isEmpty());
}

TEST_F(SideBarTest, AClosedFormOpensAgainFromItsItem)
{
    // The profile, companions, statistics and query forms keep their code when they
    // unload; closing them by the logo must not leave their items dead.
    AddDives(2);
    for (const char* key : {"Details", "Buddies", "History", "Queries"}) {
        Side(key);
        const int code = gv.ActiveFormID;
        Side("Logo");
        EXPECT_EQ(gv.ActiveFormID, FormCode::None) << key;
        Side(key);
        EXPECT_EQ(gv.ActiveFormID, code) << key;
    }
}

TEST_F(SideBarTest, TheQueryFormIsHiddenNotUnloadedAndKeepsItsCriteria)
{
    AddDives(2);
    Side("Queries");
    QueriesFrm::Instance().QuerySQL = "Select * from DIVEDATA where DIVENO = 2";
    Side("Personal");
    ASSERT_TRUE(QueriesFrm::Exists());
    EXPECT_FALSE(QueriesFrm::Instance().isVisible());
    Side("Queries");
    EXPECT_EQ(gv.ActiveFormID, FormCode::Queries);
    EXPECT_EQ(QueriesFrm::Instance().QuerySQL, "Select * from DIVEDATA where DIVENO = 2");
}

TEST_F(SideBarTest, ClickingTheOpenFormsItemDoesNothing)
{
    AddDives(1);
    Side("Location");
    const QWidget* before = &LocationFrm::Instance();
    Side("Location");
    EXPECT_EQ(gv.ActiveFormID, FormCode::Location);
    EXPECT_EQ(&LocationFrm::Instance(), before);
}

TEST_F(SideBarTest, ProfileOfADiveWithoutSamplesFallsBackToTheDiveRecord)
{
    AddDives(2);
    gv.DB->Execute("Update DIVEDATA set DATATYPE = 0 where LIFETIMEDIVENO = 1");
    gv.DB->Execute("Update DIVEDATA set MDEPTH = 0 where LIFETIMEDIVENO = 2");
    OpenLogOn(IdOf(1));
    dialogs.ExpectMsg("Dive Details is not available for Manual Entry Dive.");
    Side("Details");
    EXPECT_EQ(gv.ActiveFormID, FormCode::Dive);

    OpenLogOn(IdOf(2));
    dialogs.ExpectMsg("Dive Details is not available for dive with depth <=0.");
    Side("Details");
    EXPECT_EQ(gv.ActiveFormID, FormCode::Dive);
    EXPECT_FALSE(DetailsFrm::Exists());
}

TEST_F(SideBarTest, WithoutDivesOnlyTheDiverAndSettingsFormsOpen)
{
    OpenLogOn();
    Side("Personal");
    EXPECT_EQ(gv.ActiveFormID, FormCode::Personal);
    Side("DiveComputer");
    EXPECT_EQ(gv.ActiveFormID, FormCode::DiveComputer);
    Side("Buddies");   // closes the open form and shows nothing, without a word
    EXPECT_EQ(gv.ActiveFormID, FormCode::None);
    EXPECT_TRUE(dialogs.MessageTexts().isEmpty());

    for (const char* key : {"Location", "Logo", "History"}) {
        dialogs.ExpectMsg("Please add new dive(s) before viewing further information.");
        int asked = 0;
        addDive = [&](AddDiveOption& dialog) {
            ++asked;
            dialog.CancelCmd->click();
        };
        Side(key);
        EXPECT_EQ(asked, 1) << key;
        EXPECT_EQ(ShownDiveItems(), QStringList{}) << key;
        EXPECT_EQ(Count("DIVEDATA"), 0);
    }
}

TEST_F(SideBarTest, OnlyTheItemOfTheFormOnScreenLooksSelected)
{
    AddDives(2);
    gv.DB->Execute("Update DIVEDATA set DATATYPE = 0 where LIFETIMEDIVENO = 1");
    OpenLogOn(IdOf(1));
    Side("Personal");
    EXPECT_EQ(MarkedItems(), QStringList{"Personal"});
    dialogs.ExpectMsg("Dive Details is not available for Manual Entry Dive.");
    Side("Details");   // falls back to the dive record
    EXPECT_EQ(MarkedItems(), QStringList{"Dive"});
    AnswerAddDive(LtdPlace::End);
    Side("Location");
    Tool("AddDive");   // ends with the dive record open
    EXPECT_EQ(MarkedItems(), QStringList{"Dive"});
    Side("Logo");
    EXPECT_EQ(MarkedItems(), QStringList{});
}

// The scripted dialogs, noting which side-bar items look chosen while a message shows.
class MarksWhileShown : public Dialogs {
public:
    MarksWhileShown(Dialogs& inner, std::function<QStringList()> marks) : inner_(inner), marks_(std::move(marks)) {}
    MsgAnswer MsgBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title,
                     MsgDefault defaultButton, MsgEscape escape) override
    {
        shown << marks_();
        return inner_.MsgBox(text, buttons, icon, title, defaultButton, escape);
    }
    QString InputBox(const QString& prompt, const QString& title, const QString& text) override
    {
        return inner_.InputBox(prompt, title, text);
    }
    QString OpenFile(const FileDialogRequest& request) override { return inner_.OpenFile(request); }
    QString SaveFile(const FileDialogRequest& request) override { return inner_.SaveFile(request); }

    QList<QStringList> shown;

private:
    Dialogs& inner_;
    std::function<QStringList()> marks_;
};

TEST_F(SideBarTest, AroundTheNoDiveMessageOnlyTheFormOnScreenIsMarked)
{
    struct Case {
        const char* shown;    // the form on screen, or nothing
        const char* clicked;  // an item that needs a dive
    };
    const Case cases[] = {
        {"", "Location"},          {"Personal", "Dive"},       {"Personal", "Location"},
        {"DiveComputer", "History"}, {"Personal", "Details"},
    };
    MarksWhileShown marks(dialogs, [this] { return PressedButtons(); });
    InstallDialogs(&marks);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.shown) + " then " + c.clicked);
        OpenLogOn();
        if (*c.shown)
            Side(c.shown);
        marks.shown.clear();
        dialogs.ExpectMsg("Please add new dive(s) before viewing further information.");
        AnswerAddDive(LtdPlace::None);
        Frm().SmartBar->Button(c.clicked)->click();   // as the user clicks
        const QStringList expected = *c.shown ? QStringList{c.shown} : QStringList{};
        EXPECT_EQ(marks.shown, QList<QStringList>{expected}) << "while the message shows";
        EXPECT_EQ(MarkedItems(), expected);
        EXPECT_EQ(PressedButtons(), expected);
        Frm().CloseChildForm(gv.ActiveFormID);
    }
    InstallDialogs(&dialogs);
}

TEST_F(SideBarTest, AnAddCancelledForWantOfDivesBringsBackTheFormLeft)
{
    OpenLogOn();
    Side("Personal");
    dialogs.ExpectMsg("Please add new dive(s) before viewing further information.");
    AnswerAddDive(LtdPlace::None);
    Side("Dive");
    EXPECT_EQ(gv.ActiveFormID, FormCode::Personal);
    EXPECT_EQ(Frm().ChildCaption(), "Personal");
}

TEST_F(SideBarTest, AHiddenQueryFormTakesItsCaptionAway)
{
    AddDives(1);
    Side("Queries");
    EXPECT_EQ(Frm().ChildCaption(), "Queries");
    Side("Logo");
    EXPECT_EQ(Frm().ChildCaption(), "");
}

} // namespace
} // namespace kvl::test
