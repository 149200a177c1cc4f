#include "tests/dive/DiveFormTest.h"

#include "platform/runtime/Runtime.h"
#include "shell/core/StateCodes.h"

#include <QApplication>
#include <QKeyEvent>

namespace kvl::test {
namespace {

class DiveDisplayTest : public DiveFormTest {};

TEST_F(DiveDisplayTest, MetricDiveOnTheTwentyFourHourClock)
{
    const qint64 id = AddDive(ManualDive({{"MDEPTH", 100}, {"AVGDEPTH", 50}, {"TEMP", 77}, {"FO2", 32}, {"VARI", 3},
                                          {"FO2GAS2", 36},
                                          {"DIVETIME", "23:30"}, {"BTIME", 45}, {"STIME", "01:15"}, {"TID1", 123},
                                          {"TANK2ON", -1}, {"LIFETIMEDIVENO", 7}, {"MEMO", "Wreck"}}),
                              1, 1);
    Show(id);
    DiveFrm& f = *form;
    EXPECT_EQ(gv.UnitDepth, 0);
    EXPECT_EQ(gv.UnitDate, 0);
    EXPECT_EQ(gv.UnitTime, 0);
    EXPECT_EQ(gv.DB->Scalar("Select DEPTH from UNITS_OF_MEASUREMENT").ToLong(), 0);
    EXPECT_EQ(gv.CurrentDiveID, id);
    EXPECT_EQ(f.Text3(DiveText::LifeTimeDiveNo).text(), "7");
    EXPECT_EQ(f.Masked1(DiveMasked::Date).Text(), "21/05/2009");
    EXPECT_EQ(f.Masked1(DiveMasked::TimeIn).Text(), "23:30");
    EXPECT_EQ(f.Text3(DiveText::TimeOut).text(), "00:15");
    EXPECT_TRUE(f.AMPM_Opt(DiveAmPm::TimeIn).isHidden());
    EXPECT_EQ(f.Text3(DiveText::ElapsedTime).text(), "45");
    EXPECT_EQ(f.Masked1(DiveMasked::PriorSurfaceInterval).Text(), "01:15");
    EXPECT_EQ(f.Text3(DiveText::MaxDepth).text(), "30.5");
    EXPECT_EQ(f.Text3(DiveText::AveDepth).text(), "15.2");
    EXPECT_EQ(f.Units_Opt(DiveUnit::MaxDepth).currentText(), "M");
    EXPECT_EQ(f.Text3(DiveText::Temperature).text(), "25");
    EXPECT_EQ(f.Units_Opt(DiveUnit::Temperature).currentText(), "C");
    EXPECT_EQ(f.Combo1(DiveList::Gas1).currentText(), "32%");
    EXPECT_EQ(f.Combo1(DiveList::Gas2).currentText(), "36%");
    EXPECT_EQ(f.Combo1(DiveList::Gas3).currentText(), "AIR");
    EXPECT_EQ(f.Combo1(DiveList::AscentRate).currentText(), "12-15M/Min");
    EXPECT_EQ(f.Text3(DiveText::CylinderSize1).text(), SingleToText(CSng(80 * 28.31684)));
    EXPECT_EQ(f.Text3(DiveText::StartPressure1).text(), "210");
    EXPECT_EQ(f.Text3(DiveText::EndPressure1).text(), "35");
    EXPECT_EQ(f.Text3(DiveText::PressureUsed).text(), "175");
    EXPECT_EQ(f.Units_Opt(DiveUnit::StartPressure1).currentText(), "BAR");
    EXPECT_EQ(f.TIDTxt(Tank::One).text(), "000123");
    EXPECT_EQ(f.TIDTxt(Tank::Two).text(), "");
    EXPECT_EQ(f.Text3(DiveText::DGDiveNo).text(), "");
    EXPECT_EQ(f.Text3(DiveText::SerialNo).text(), "");
    EXPECT_EQ(f.Text3(DiveText::SacRate).text(), "");
    EXPECT_EQ(f.Check2(OnOff::On).Value(), 1);
    EXPECT_EQ(f.Check2(OnOff::Off).Value(), 0);
    EXPECT_EQ(f.Check3(OnOff::On).Value(), 0);
    EXPECT_EQ(f.Text3(DiveText::Model).text(), "N/A");
    EXPECT_EQ(f.MemoTxt().Text(), "Wreck");
    EXPECT_EQ(f.DataType_Check(DataTypeBox::Manual).Value(), 1);
    EXPECT_EQ(f.Normal_Check().Value(), 1);
    EXPECT_EQ(f.NoDeco_Check().Value(), 1);
    EXPECT_FALSE(f.Properties().isHidden());
    EXPECT_EQ(f.Properties().Keys(), QStringList({"Group1", "Units", "Time"}));
    EXPECT_EQ(f.Properties().ValueText("Units"), "Metric");
    EXPECT_EQ(f.Properties().ValueText("Time"), "24");
    EXPECT_EQ(gv.DiveChanged, kDiveUnchanged);
}

TEST_F(DiveDisplayTest, ImperialDownloadedDiveOnTheTwelveHourClock)
{
    const qint64 id = AddDive(ManualDive({{"MDEPTH", 99}, {"AVGDEPTH", 0.5}, {"DIVETIME", "13:45"}, {"BTIME", 30},
                                          {"FO2", 20}, {"TANK1ON", 0}, {"TANK2ON", -1}, {"AIRCONSUMP", 12},
                                          {"DATATYPE", 1}, {"MODELID", 6774}, {"MODELSERNO", 4321},
                                          {"DIVENO", 12}, {"DECOMDIVE", 1}, {"VIOLATION", 2}, {"SNAPSHOT", 1}}),
                              0, 0);
    Show(id);
    DiveFrm& f = *form;
    EXPECT_EQ(gv.UnitDepth, 1);
    EXPECT_EQ(gv.UnitTime, 1);
    EXPECT_EQ(f.Masked1(DiveMasked::Date).Text(), "05/21/2009");
    EXPECT_EQ(f.Masked1(DiveMasked::TimeIn).Text(), "01:45");
    EXPECT_EQ(f.AMPM_Opt(DiveAmPm::TimeIn).Text(), "PM");
    EXPECT_EQ(f.Text3(DiveText::TimeOut).text(), "02:15");
    EXPECT_EQ(f.AMPM_Opt(DiveAmPm::TimeOut).Text(), "PM");
    EXPECT_FALSE(f.AMPM_Opt(DiveAmPm::TimeIn).isHidden());
    EXPECT_EQ(f.Text3(DiveText::MaxDepth).text(), "99");
    EXPECT_EQ(f.Text3(DiveText::AveDepth).text(), ".5");
    EXPECT_EQ(f.Text3(DiveText::Temperature).text(), "77");
    EXPECT_EQ(f.Text3(DiveText::StartPressure1).text(), "3000");
    EXPECT_EQ(f.Combo1(DiveList::Gas1).currentText(), "AIR");
    EXPECT_EQ(f.Text3(DiveText::SacRate).text(), "12");
    EXPECT_EQ(f.Check1(OnOff::On).Value(), 0);
    EXPECT_EQ(f.Check2(OnOff::On).Value(), 0);   // tank 2 needs tank 1
    EXPECT_EQ(f.Check2(OnOff::Off).Value(), 1);
    EXPECT_FALSE(f.Text3(DiveText::StartPressure2).isEnabled());   // and its fields are off with it
    EXPECT_FALSE(f.TIDTxt(Tank::Two).isEnabled());
    EXPECT_EQ(f.Text3(DiveText::DGDiveNo).text(), "12");
    EXPECT_EQ(f.Text3(DiveText::Model).text(), "QX07");
    EXPECT_EQ(gv.ModelName, "QX07");
    EXPECT_EQ(gv.CurrentDive.SnapshotText, "15 Secs") << "the dive's own rate, as its reports print it";
    EXPECT_EQ(f.Text3(DiveText::SerialNo).text(), "4321");
    EXPECT_EQ(f.Deco_Check().Value(), 1);
    EXPECT_EQ(f.NoDeco_Check().Value(), 0);
    EXPECT_EQ(f.Viol_Check().Value(), 1);
    for (DiveText i : {DiveText::DGDiveNo, DiveText::TimeOut, DiveText::MaxDepth, DiveText::Model, DiveText::SerialNo,
                       DiveText::ElapsedTime})
        EXPECT_TRUE(f.Text3(i).Locked()) << Slot(i);
    EXPECT_FALSE(f.Text3(DiveText::AveDepth).Locked());
    EXPECT_EQ(f.Properties().Keys().size(), 17);
    EXPECT_EQ(f.Properties().Caption("EDT"), "Elapsed Dive Time (Hr:Min)\t");
    EXPECT_EQ(f.Properties().Kind("Group2"), PropertyGrid::Group);
    EXPECT_TRUE(f.Properties().IsExpanded("Group2"));
}

// Tab walks the boxes as they stand on screen, column by column, and leaves the memo.
TEST_F(DiveDisplayTest, TabFollowsTheColumnsTopToBottom)
{
    const qint64 id = AddDive(ManualDive(), 1, 1);   // 24-hour clock: the AM/PM lists are hidden
    Show(id);
    DiveFrm& f = *form;
    f.show();
    QApplication::setActiveWindow(&f);
    const auto pressTab = [] {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(QApplication::focusWidget(), &tab);
        QApplication::processEvents();
    };
    const std::vector<QWidget*> order{&f.Text3(DiveText::LifeTimeDiveNo),  &f.Text3(DiveText::DGDiveNo), &f.Masked1(DiveMasked::Date), &f.Masked1(DiveMasked::TimeIn), &f.Text3(DiveText::TimeOut),
                                      &f.Text3(DiveText::ElapsedTime), &f.Masked1(DiveMasked::PriorSurfaceInterval), &f.Text3(DiveText::MaxDepth),  &f.Text3(DiveText::AveDepth),   &f.Text3(DiveText::Temperature)};
    f.Text3(DiveText::LifeTimeDiveNo).setFocus();
    QApplication::processEvents();
    for (size_t i = 1; i < order.size(); ++i) {
        pressTab();
        EXPECT_EQ(QApplication::focusWidget(), order[i]) << i;
    }
    f.Text3(DiveText::StartPressure1).setFocus();
    QApplication::processEvents();
    pressTab();
    EXPECT_EQ(QApplication::focusWidget(), &f.Text3(DiveText::EndPressure1));
    f.MemoTxt().setFocus();
    QApplication::processEvents();
    pressTab();
    EXPECT_NE(QApplication::focusWidget(), &f.MemoTxt());
    EXPECT_FALSE(f.MemoTxt().Text().contains('\t'));
    f.hide();
}

TEST_F(DiveDisplayTest, DataTypeBoxesAndLocks)
{
    struct Case {
        int type;
        int manual, downloaded, modified, nav;
        bool locked;
    } cases[] = {
        {0x00, 1, 0, 0, 0, false}, {0x01, 0, 1, 0, 0, true},  {0x02, 0, 1, 1, 0, false},
        {0x11, 0, 1, 0, 1, true},  {0x10, 0, 1, 1, 1, false},
    };
    std::vector<qint64> ids;
    for (const Case& c : cases)
        ids.push_back(AddDive(ManualDive({{"DATATYPE", c.type}})));
    for (size_t i = 0; i < ids.size(); ++i) {
        const Case& c = cases[i];
        Show(ids[i]);
        SCOPED_TRACE(c.type);
        EXPECT_EQ(form->DataType_Check(DataTypeBox::Manual).Value(), c.manual);
        EXPECT_EQ(form->DataType_Check(DataTypeBox::Downloaded).Value(), c.downloaded);
        EXPECT_EQ(form->DataType_Check(DataTypeBox::Modified).Value(), c.modified);
        EXPECT_EQ(form->Nav_Check().Value(), c.nav);
        EXPECT_EQ(form->Normal_Check().Value(), 1 - c.nav);
        EXPECT_EQ(form->Text3(DiveText::MaxDepth).Locked(), c.locked);
        EXPECT_EQ(form->Text3(DiveText::ElapsedTime).Locked(), c.locked);
    }
}

TEST_F(DiveDisplayTest, DepthLimitsPerUnit)
{
    struct Case {
        int units;   // settings UNITS: 1 metric, 0 imperial
        int depth;
        const char* max;
    } cases[] = {{1, 399, "121.6"}, {1, 400, "---"}, {0, 329, "329"}, {0, 330, "---"}};
    for (const Case& c : cases) {
        form.reset();
        const qint64 id = AddDive(ManualDive({{"MDEPTH", c.depth}}), c.units, 1);
        Show(id);
        EXPECT_EQ(form->Text3(DiveText::MaxDepth).text(), c.max) << c.depth;
        if (QString(c.max) == "---") {
            EXPECT_EQ(form->Text3(DiveText::AveDepth).text(), "---");
        }
    }
}

TEST_F(DiveDisplayTest, EmptyListShowsTheClearedFields)
{
    gv.rsDiveData = gv.DB->OpenRecordset(gv.DiveListSQL);
    form = std::make_unique<DiveFrm>();
    form->Form_Load();
    EXPECT_EQ(gv.ActiveFormID, FormCode::Dive);
    EXPECT_EQ(form->Masked1(DiveMasked::Date).Text(), "01/01/2004");
    EXPECT_EQ(form->Masked1(DiveMasked::TimeIn).Text(), "00:00");
    EXPECT_EQ(form->Masked1(DiveMasked::PriorSurfaceInterval).Text(), "00:00");
    for (DiveText i : {DiveText::LifeTimeDiveNo, DiveText::DGDiveNo, DiveText::TimeOut, DiveText::MaxDepth,
                       DiveText::AveDepth, DiveText::CylinderSize1, DiveText::StartPressure1, DiveText::EndPressure1,
                       DiveText::PressureUsed})
        EXPECT_EQ(form->Text3(i).text(), "") << Slot(i);
    EXPECT_EQ(form->TIDTxt(Tank::Three).text(), "0");
    EXPECT_EQ(form->Check3(OnOff::Off).Value(), 1);
    EXPECT_EQ(form->Check1(OnOff::On).Value(), 0);
}

// A value the form cannot show leaves its box empty or its list unselected, never
// the previous dive's value, and a save of another edit keeps the stored value.
TEST_F(DiveDisplayTest, UnshowableValuesAreNotCarriedOverFromThePreviousDive)
{
    const qint64 first = AddDive(ManualDive({{"FO2", 32}, {"VARI", 3}, {"TEMP", 77}, {"SPSI", 3000}}));
    const qint64 second = AddDive(ManualDive({{"LIFETIMEDIVENO", 2}, {"FO2", 60}, {"VARI", 9},
                                              {"TEMP", db::Value()}, {"SPSI", db::Value()}}));
    Show(first);
    Show(second);
    EXPECT_EQ(form->Combo1(DiveList::Gas1).ListIndex(), -1);
    EXPECT_EQ(form->Combo1(DiveList::AscentRate).ListIndex(), -1);
    EXPECT_EQ(form->Text3(DiveText::Temperature).text(), "");
    EXPECT_EQ(form->Text3(DiveText::StartPressure1).text(), "");
    emit form->MemoTxt().KeyDown(0);
    form->MemoTxt().SetText("Night dive");
    EXPECT_TRUE(SaveAsMainWindow());
    EXPECT_EQ(Stored(second, "MEMO").ToString(), "Night dive");
    EXPECT_EQ(Stored(second, "FO2").ToLong(), 60);
    EXPECT_EQ(Stored(second, "VARI").ToLong(), 9);
    EXPECT_TRUE(Stored(second, "TEMP").IsNull());
    EXPECT_TRUE(Stored(second, "SPSI").IsNull());
}

} // namespace
} // namespace kvl::test
