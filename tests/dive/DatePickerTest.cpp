// The calendar under the date items of the query and settings forms.
#include "analysis/QueriesFrm.h"
#include "dive/frmDate.h"
#include "platform/widgets/CheckList.h"
#include "settings/DCFrm.h"
#include "shell/core/Global_Vars.h"
#include "tests/support/KvlTest.h"
#include "tests/support/QtPrint.h"

#include <QCalendarWidget>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QTableView>

namespace kvl::test {
namespace {

class DatePickerTest : public KvlTest {
protected:
    void SetUp() override
    {
        KvlTest::SetUp();
        gv = Global_Vars{};
    }
    void TearDown() override
    {
        frmDate::Unload();
        delete &QueriesFrm::Instance();
        delete &DCFrm::Instance();
        gv = Global_Vars{};
        KvlTest::TearDown();
    }
    CheckList& Query() { return *QueriesFrm::Instance().lst2; }
    CheckList& Settings() { return *DCFrm::Instance().lst2; }
    // The calendar as the item's drop-down opens it.
    frmDate& Open(QWidget* window)
    {
        EXPECT_EQ(window, &frmDate::Instance());
        return frmDate::Instance();
    }

    const QDate march5{2009, 3, 5};
};

TEST_F(DatePickerTest, AFromDateAlsoFillsAnEmptyToDate)
{
    gv.UnitDate = 0;
    frmDate& picker = Open(QueriesFrm::Instance().lst2_ItemDropDown("fromDate"));
    EXPECT_EQ(gv.DatePickerCaller, kPickFromDate);
    picker.show();
    picker.MonthView1_DateClick(march5);
    EXPECT_EQ(Query().Items("fromDate").Value(), "05/03/2009");
    EXPECT_EQ(Query().Items("toDate").Value(), "05/03/2009");
    EXPECT_FALSE(picker.isVisible());

    Query().Items("toDate").SetValue("31/12/2009");
    Open(QueriesFrm::Instance().lst2_ItemDropDown("fromDate")).MonthView1_DateClick(QDate(2009, 6, 1));
    EXPECT_EQ(Query().Items("fromDate").Value(), "01/06/2009");
    EXPECT_EQ(Query().Items("toDate").Value(), "31/12/2009");

    gv.UnitDate = 1;
    Open(QueriesFrm::Instance().lst2_ItemDropDown("toDate")).MonthView1_DateClick(march5);
    EXPECT_EQ(gv.DatePickerCaller, kPickToDate);
    EXPECT_EQ(Query().Items("toDate").Value(), "03/05/2009");
    EXPECT_EQ(QueriesFrm::Instance().lst2_ItemDropDown("memo"), nullptr);
}

TEST_F(DatePickerTest, TheSettingsDateKeepsTheSettingsFormsOrder)
{
    gv.UnitDate = 0;
    DCFrm::Instance().Unit_Opt->SetBox0(true);   // imperial: month first
    Open(DCFrm::Instance().lst2_ItemDropDown("Date")).MonthView1_DateClick(march5);
    EXPECT_EQ(gv.DatePickerCaller, kPickSettingsDate);
    EXPECT_EQ(gv.DCDateFormat, 1);
    EXPECT_EQ(Settings().Items("Date").Value(), "03/05/2009");
}

TEST_F(DatePickerTest, TheCalendarOpensOnTheItemsDateReadInItsOrder)
{
    struct Case {
        int caller, unitDate, dcFormat;
        const char* text;
        QDate shown;
    };
    const Case cases[] = {
        {1, 0, 0, "05/03/2009", QDate(2009, 3, 5)},
        {1, 1, 0, "05/03/2009", QDate(2009, 5, 3)},
        {3, 0, 1, "05/03/2009", QDate(2009, 5, 3)},   // the settings form's own order
        {1, 0, 0, "", QDate::currentDate()},
        {1, 0, 0, "not a date", QDate::currentDate()},
    };
    for (const Case& c : cases) {
        gv.DatePickerCaller = static_cast<quint8>(c.caller);
        gv.UnitDate = static_cast<quint8>(c.unitDate);
        gv.DCDateFormat = static_cast<quint8>(c.dcFormat);
        gv.PickedDate = c.text;
        frmDate::Unload();
        EXPECT_EQ(frmDate::Instance().MonthView1->selectedDate(), c.shown) << c.text;
    }
}

TEST_F(DatePickerTest, MovingTheSelectionHandsBackTheDateInTheItemsOrder)
{
    gv.UnitDate = 0;
    frmDate& picker = Open(QueriesFrm::Instance().lst2_ItemDropDown("toDate"));
    picker.show();
    picker.MonthView1->setSelectedDate(march5);
    EXPECT_EQ(Query().Items("toDate").Value(), "05/03/2009");
    EXPECT_TRUE(picker.isVisible());   // the keys go on moving until Enter picks
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(picker.MonthView1->findChild<QTableView*>(), &enter);
    EXPECT_FALSE(picker.isVisible());
}

TEST_F(DatePickerTest, AClickOnADateItemsValueDropsTheCalendarUnderIt)
{
    gv.UnitDate = 0;
    CheckList& list = Query();
    QTreeWidgetItem* from = list.findItems("from: ", Qt::MatchExactly | Qt::MatchRecursive, 0).value(0);
    ASSERT_NE(from, nullptr);
    emit list.itemClicked(from, 0);   // the caption drops nothing
    EXPECT_FALSE(frmDate::Instance().isVisible());
    emit list.itemClicked(from, 1);
    EXPECT_EQ(gv.DatePickerCaller, kPickFromDate);
    ASSERT_TRUE(frmDate::Instance().isVisible());
    frmDate::Instance().MonthView1_DateClick(march5);
    EXPECT_EQ(list.Items("fromDate").Value(), "05/03/2009");
    EXPECT_FALSE(frmDate::Instance().isVisible());

    DCFrm::Instance().Unit_Opt->SetBox0(true);   // imperial: month first
    CheckList& settings = Settings();
    emit settings.itemActivated(settings.findItems("Date:", Qt::MatchExactly, 0).value(0), 0);   // Enter
    EXPECT_EQ(gv.DatePickerCaller, kPickSettingsDate);
    EXPECT_TRUE(frmDate::Instance().isVisible());
}

TEST_F(DatePickerTest, KeysMoveTheFromDateAndEnterFillsAnEmptyToDateWithTheDatePicked)
{
    gv.UnitDate = 0;
    Query().Items("fromDate").SetValue("05/03/2009");
    frmDate& picker = Open(QueriesFrm::Instance().lst2_ItemDropDown("fromDate"));
    picker.show();
    QTableView* days = picker.MonthView1->findChild<QTableView*>();
    for (const int key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Return}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(days, &press);
    }
    EXPECT_EQ(Query().Items("fromDate").Value(), "07/03/2009");
    EXPECT_EQ(Query().Items("toDate").Value(), "07/03/2009");
    EXPECT_FALSE(picker.isVisible());
}

TEST_F(DatePickerTest, EachDropDownOpensOnItsOwnItemsDate)
{
    gv.UnitDate = 0;
    Query().Items("fromDate").SetValue("05/03/2009");
    Query().Items("toDate").SetValue("31/12/2009");
    Open(QueriesFrm::Instance().lst2_ItemDropDown("fromDate"));
    EXPECT_EQ(frmDate::Instance().MonthView1->selectedDate(), march5);
    Open(QueriesFrm::Instance().lst2_ItemDropDown("toDate"));
    EXPECT_EQ(frmDate::Instance().MonthView1->selectedDate(), QDate(2009, 12, 31));
    EXPECT_EQ(Query().Items("toDate").Value(), "31/12/2009");   // opening picks nothing
}

} // namespace
} // namespace kvl::test
