// The profile view: loading, its messages, the settings it takes over, the axes, the
// drawing and the cursor.
#include "tests/analysis/DetailsFrmTest.h"

#include "platform/widgets/DataGrid.h"
#include "platform/widgets/PictureBox.h"
#include "platform/widgets/SmartToolBar.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/LogStore.h"
#include "tests/support/DamagedPages.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTableView>

#include <functional>

namespace kvl::test {
namespace {

const QString kNoProfile = "There is no dive profile details to display for this dive.";

bool IsBlue(QRgb c) { return qBlue(c) > 200 && qRed(c) < 80 && qGreen(c) < 80; }
bool IsRed(QRgb c) { return qRed(c) > 200 && qGreen(c) < 80 && qBlue(c) < 80; }
bool IsBlack(QRgb c) { return qRed(c) < 50 && qGreen(c) < 50 && qBlue(c) < 50; }
bool IsGrey(QRgb c) { return qRed(c) == qGreen(c) && qGreen(c) == qBlue(c) && qRed(c) > 60 && qRed(c) < 250; }

// True when a pixel within radius of (x, y) passes the test.
bool Near(const QImage& image, int x, int y, int radius, const std::function<bool(QRgb)>& test)
{
    for (int dx = -radius; dx <= radius; ++dx)
        for (int dy = -radius; dy <= radius; ++dy)
            if (image.valid(x + dx, y + dy) && test(image.pixel(x + dx, y + dy)))
                return true;
    return false;
}

QStringList Column(const DataGrid& grid, const QString& key)
{
    QStringList cells;
    for (int r = 0; r < grid.Rows(); ++r)
        cells << grid.Cell(r, key);
    return cells;
}

TEST_F(DetailsFrmTest, LoadsKeptSamplesIntoArraysAndGrid)
{
    const qint64 id = AddDive(DownloadedDive());
    AddTimes(id, {10, 20, 15, 30});
    Open(id);
    EXPECT_EQ(Form().SampleCount, 3);
    EXPECT_EQ(Column(*Form().DetailGrid, "Ind"), (QStringList{"0", "1", "2"}));
    EXPECT_EQ(Column(*Form().DetailGrid, "Time"), (QStringList{"00:00:10", "00:00:20", "00:00:30"}));
    EXPECT_EQ(Form().CursorIndex, 1);
    EXPECT_EQ(Form().DetailGrid->Row(), 1);
    EXPECT_EQ(gv.ActiveFormID, FormCode::Details);
    EXPECT_EQ(Form().DetailGrid->Caption(), "Dive Data Details");
}

TEST_F(DetailsFrmTest, GridColumnsAndThePO2ColumnByOxygen)
{
    const qint64 air = AddTenSampleDive({{"FO2", 0}});
    const qint64 nitrox = AddTenSampleDive({{"FO2", 32}, {"LIFETIMEDIVENO", 2}});
    Open(air);
    const DataGrid& grid = *Form().DetailGrid;
    EXPECT_EQ(grid.Columns(), 17);
    QStringList shown;
    for (int c = 0; c < grid.Columns(); ++c)
        if (!grid.View().isColumnHidden(c))
            shown << grid.View().model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(shown, (QStringList{"Elapsed Dive Time (hr:min:sec)", "Depth", "ARI (Ascent Rate Indicator)", "Temp.",
                                  "Alarms Events", "Alarms Details"}));
    Open(nitrox);
    EXPECT_TRUE(grid.ColumnVisible("PO2"));
    EXPECT_EQ(grid.ColumnIndex("PSI"), 16);
    EXPECT_FALSE(grid.ColumnVisible("ATR (Air Time Remaining) (hr:min)"));
}

TEST_F(DetailsFrmTest, GridCaptionsFitTheirColumnsOnTwoLines)
{
    Open(AddTenSampleDive({{"FO2", 32}}));
    const QHeaderView& header = *Form().DetailGrid->View().horizontalHeader();
    QFont bold = header.font();   // as the captions over the selected row are painted
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    const int margin = header.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &header);
    for (int c = 0; c < Form().DetailGrid->Columns(); ++c) {
        if (header.isSectionHidden(c))
            continue;
        const QString caption = header.model()->headerData(c, Qt::Horizontal).toString();
        const QRect text = metrics.boundingRect(QRect(0, 0, header.sectionSize(c) - 2 * margin, 1000),
                                                Qt::TextWordWrap, caption);
        EXPECT_LE(text.width(), header.sectionSize(c) - 2 * margin) << caption.toStdString();
        EXPECT_LE(text.height(), 2 * metrics.lineSpacing()) << caption.toStdString();
    }
}

TEST_F(DetailsFrmTest, RecordedUnitsBecomeTheUsersAndAreStored)
{
    const qint64 id = AddTenSampleDive();
    gv.DB->Execute("UPDATE DIVE_DC_SETTINGS SET UNITS = 1, HOUR = 0, ALTTIME = 1 WHERE DIVEID = ?", {id});
    Open(id);
    EXPECT_EQ(gv.UnitSystem, 0);
    EXPECT_EQ(gv.UnitDepth, 0);
    EXPECT_EQ(gv.UnitTemp, 0);
    EXPECT_EQ(gv.UnitTime, 1);
    EXPECT_EQ(Form().DiveScale, AscentScale::Standard);
    EXPECT_EQ(gv.DB->Scalar("SELECT DEPTH FROM UNITS_OF_MEASUREMENT").ToLong(), 0);
    EXPECT_EQ(gv.DB->Scalar("SELECT TIME FROM UNITS_OF_MEASUREMENT").ToLong(), -1);
    EXPECT_EQ(Form().Label2->text(), "M");
    EXPECT_EQ(Form().DetailGrid->Cell(0, "Depth"), "6.1 M");
    EXPECT_FLOAT_EQ(Form().MaxDepthAlarm, 200 * 0.3048f);
}

TEST_F(DetailsFrmTest, WithoutSettingsRowTheUnitsStayAndTheAlarmDepthIsZero)
{
    const qint64 first = AddTenSampleDive();
    const qint64 second = AddTenSampleDive({{"LIFETIMEDIVENO", 2}});
    gv.DB->Execute("DELETE FROM DIVE_DC_SETTINGS WHERE DIVEID = ?", {second});
    Open(first);
    EXPECT_FLOAT_EQ(Form().MaxDepthAlarm, 200);
    SetImperial(false);
    Open(second);
    EXPECT_EQ(gv.UnitDepth, 0);
    EXPECT_EQ(Form().MaxDepthAlarm, 0) << "never the earlier dive's";
    EXPECT_EQ(Form().SampleCount, 10);
}

TEST_F(DetailsFrmTest, ALogWithoutSettingsTableLoadsTheProfile)
{
    const qint64 id = AddTenSampleDive();
    gv.DB->Execute("DROP TABLE DIVE_DC_SETTINGS");
    Open(id);
    EXPECT_EQ(Form().SampleCount, 10);
}

TEST_F(DetailsFrmTest, DepthClipOnlyForDataType2)
{
    const qint64 type2 = AddDive(DownloadedDive({{"DATATYPE", 2}, {"MDEPTH", 40}}));
    AddSamples(type2, {{10, 20.0}, {20, 45.0}, {30, 40.0}});
    const qint64 type1 = AddDive(DownloadedDive({{"MDEPTH", 40}, {"LIFETIMEDIVENO", 2}}));
    AddSamples(type1, {{10, 20.0}, {20, 45.0}, {30, 40.0}});
    Open(type2);
    const auto maxDepth = [](qint64 id) {
        return gv.DB->Scalar("SELECT MAX(DEPTH) FROM DIVEDETAILS WHERE DIVEID = ?", {id}).ToLong();
    };
    EXPECT_EQ(maxDepth(type2), 40);
    EXPECT_EQ(Form().DetailGrid->Cell(1, "Depth"), "40 FT");
    Open(type1);
    EXPECT_EQ(maxDepth(type1), 45);
}

TEST_F(DetailsFrmTest, AManualDiveIsRefusedAndTheWindowDisabled)
{
    const qint64 manual = AddDive(DownloadedDive({{"DATATYPE", 0}, {"MODELID", 0}}));
    AddTimes(manual, {10, 20, 30});
    dialogs.ExpectMsg("There is no dive details available for Manual Entry Dive.");
    Open(manual);
    EXPECT_EQ(dialogs.Prompts().back().title, "Dive Details");
    EXPECT_FALSE(Form().isEnabled());
    EXPECT_TRUE(Form().DetailGrid->isHidden());
    EXPECT_EQ(Form().SampleCount, 0);
}

TEST_F(DetailsFrmTest, ADiveWithoutDepthClosesTheView)
{
    const qint64 good = AddTenSampleDive();
    const qint64 flat = AddTenSampleDive({{"MDEPTH", db::Value()}, {"LIFETIMEDIVENO", 2}});
    Open(good);
    DetailsFrm* view = form.release();   // the view takes itself away
    dialogs.ExpectMsg("Dive Details is not available for dive with depth<=0.");
    MakeCurrent(flat);
    view->Detail_Initinfo();
    EXPECT_EQ(gv.ActiveFormID, FormCode::Details) << "closed only after the call returned";
    QApplication::sendPostedEvents(nullptr, 0);
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(gv.ActiveFormID, FormCode::None);
    EXPECT_FALSE(DetailsFrm::Exists());
}

// Dives that have no profile: the message, nothing to draw, and every cursor road dead.
struct NoProfileCase {
    const char* name;
    std::vector<SampleRow> rows;
};

class NoProfileTest : public DetailsFrmTest, public ::testing::WithParamInterface<NoProfileCase> {};

TEST_P(NoProfileTest, ShowsTheMessageAndIgnoresTheCursor)
{
    const qint64 earlier = AddTenSampleDive();
    const qint64 id = AddDive(DownloadedDive({{"LIFETIMEDIVENO", 2}}));
    AddSamples(id, GetParam().rows);
    Open(earlier);
    dialogs.ExpectMsg(kNoProfile);
    Open(id);
    EXPECT_TRUE(Form().NoProfile);
    EXPECT_EQ(Form().SampleCount, 0);
    EXPECT_TRUE(Form().DetailGrid->isHidden());
    for (const char* key : {"FirstData", "PreviousData", "NextData", "LastData", "ZoomIn", "ZoomOut"})
        Form().GraphControl_ItemClick(key);
    Form().Graph_KeyDown(DetailsFrm::KeyRight, {});
    Form().Form_KeyDown(DetailsFrm::KeyLeft, {});
    Form().Graph_MouseDown(Qt::LeftButton, {}, 100, 10);
    const QImage picture = Picture();
    for (int x = 0; x < picture.width(); x += 7)
        for (int y = 0; y < picture.height(); y += 7)
            ASSERT_EQ(picture.pixel(x, y), qRgb(255, 255, 255)) << "nothing of the earlier dive is drawn";
}

INSTANTIATE_TEST_SUITE_P(
    Dives, NoProfileTest,
    ::testing::Values(NoProfileCase{"NoRows", {}}, NoProfileCase{"TwoRows", {{10, 20.0}, {20, 30.0}}},
                      NoProfileCase{"ThreeRowsOneNull", {{10, 20.0}, {20, 30.0}, {std::nullopt, 40.0}}},
                      NoProfileCase{"ThreeRowsOneKept", {{30, 20.0}, {20, 30.0}, {10, 40.0}}},
                      NoProfileCase{"OtherRecords", {{10, 20.0}, {20, 30.0}, {30, 40.0, 0, 0, 72, 0, 0x40}}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(DetailsFrmTest, ALogWithoutSampleTableShowsNoProfile)
{
    const qint64 id = AddTenSampleDive();
    gv.DB->Execute("DROP TABLE DIVEDETAILS");
    dialogs.ExpectMsg(kNoProfile);
    Open(id);
    EXPECT_EQ(Form().SampleCount, 0);
}

// The samples' pages are not checked when a log opens (they are its bulk): the view that
// reads a damaged one says the log is damaged rather than that the dive has no profile.
TEST_F(DetailsFrmTest, ADamagedSamplesPageSaysTheLogIsDamaged)
{
    const qint64 id = AddTenSampleDive();
    const QString path = gv.DB->Path();
    CloseLogDatabase();
    DamageRootPage(path, "DIVEDETAILS", PageDamage::Zeros);
    gv.DB = db::Database::Open(path);
    dialogs.ExpectMsg("The log is damaged.");
    Open(id);
    EXPECT_EQ(Form().SampleCount, 0);
    EXPECT_EQ(dialogs.Prompts().back().icon, MsgIcon::Critical);
}

TEST_F(DetailsFrmTest, OddRowsNeverStopTheLoad)
{
    const qint64 id = AddDive(DownloadedDive({{"BTIME", db::Value()}}));
    AddSamples(id, {{0, -5.0}, {std::nullopt, std::nullopt}, {2, 450.0, 0, 0, std::nullopt, std::nullopt},
                    {2, 401.0}, {1, 30.0}, {4, 10.0}});
    Open(id);
    EXPECT_EQ(Form().SampleCount, 4);
    EXPECT_EQ(Form().AxisSeconds, 60) << "a Null BTIME gives the one-minute axis";
    EXPECT_EQ(Column(*Form().DetailGrid, "Depth"), (QStringList{"-5 FT", "--- FT", "--- FT", "10 FT"}));
}

struct AxisCase {
    const char* name;
    bool imperial;
    double mdepth;
    double axisDepth;
    int depthTicks;
    QStringList depthLabels;
};

class DepthAxisViewTest : public DetailsFrmTest, public ::testing::WithParamInterface<AxisCase> {};

TEST_P(DepthAxisViewTest, ScalesAndLabels)
{
    const AxisCase& c = GetParam();
    const qint64 id = AddTenSampleDive({{"MDEPTH", c.mdepth}});
    gv.DB->Execute("UPDATE DIVE_DC_SETTINGS SET UNITS = ? WHERE DIVEID = ?", {c.imperial ? 0 : 1, id});
    Open(id);
    EXPECT_EQ(Form().AxisDepth, c.axisDepth);
    EXPECT_EQ(Form().DepthTicks, c.depthTicks);
    EXPECT_EQ(Form().YG->Labels(), c.depthLabels);
    EXPECT_EQ(gv.CurrentDive.MDEPTH.ToDouble(), c.mdepth) << "the dive keeps its stored depth";
}

INSTANTIATE_TEST_SUITE_P(
    Depths, DepthAxisViewTest,
    ::testing::Values(AxisCase{"Feet100", true, 100, 100, 10, {"10", "20", "30", "40", "50", "60", "70", "80", "90", "100"}},
                      AxisCase{"Feet450CappedAt400", true, 450, 400, 8,
                               {"50", "100", "150", "200", "250", "300", "350", "400"}},
                      AxisCase{"Metric400Feet", false, 400, 140, 7, {"20", "40", "60", "80", "100", "120", "140"}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(DetailsFrmTest, TimeAxisLabelsAndSamplingRate)
{
    const qint64 id = AddTenSampleDive({{"BTIME", 47}});
    Open(id);
    EXPECT_EQ(Form().AxisSeconds, 3000);
    EXPECT_EQ(Form().TimeTicks, 10);
    EXPECT_EQ(Form().XG->Labels(), (QStringList{"5", "10", "15", "20", "25", "30", "35", "40", "45", "50"}));
    EXPECT_EQ(Form().Label3->text(), "Dive Sampling Rate: 2 Secs");
    EXPECT_EQ(Form().Label2->text(), "FT");
}

TEST_F(DetailsFrmTest, DrawsTheProfileFromTheSurface)
{
    Open(AddTenSampleDive());
    const QImage p = Picture();
    ASSERT_EQ(p.size(), QSize(GraphWidth, GraphHeight));
    EXPECT_TRUE(Near(p, 0, 0, 1, IsBlue)) << "the line starts at the top-left corner";
    EXPECT_TRUE(Near(p, 30, 40, 2, IsBlue)) << "half-way to the first sample (60 s, 20 ft)";
    // The deepest samples (90 ft at 240 and 300 s) lie on row 360.
    int lowest = -1;
    for (int y = 0; y < p.height(); ++y)
        if (IsBlue(p.pixel(270, y)))
            lowest = y;
    EXPECT_NEAR(lowest, 360, 2);
}

TEST_F(DetailsFrmTest, FastAscentsAreRedAndOthersBlue)
{
    Open(AddTenSampleDive());
    const QImage p = Picture();
    EXPECT_TRUE(Near(p, 450, 180, 2, IsRed)) << "420 s 60 ft to 480 s 30 ft, band 5 over limits 3 + 1";
    EXPECT_FALSE(Near(p, 510, 120, 3, IsRed)) << "level, band 5";
    EXPECT_FALSE(Near(p, 330, 340, 3, IsRed)) << "ascending, band 0";
    EXPECT_FALSE(Near(p, 150, 260, 3, IsRed)) << "descending";
    EXPECT_TRUE(Near(p, 510, 120, 2, IsBlue));
}

TEST_F(DetailsFrmTest, GridLinesStandAtEachTick)
{
    Open(AddTenSampleDive());
    const QImage p = Form().tmpPic;
    const auto greyIn = [&](bool column, int at) {
        int grey = 0;
        for (int k = 0; k < (column ? p.height() : p.width()); ++k)
            grey += IsGrey(column ? p.pixel(at, k) : p.pixel(k, at)) ? 1 : 0;
        return grey;
    };
    for (int i = 1; i <= 10; ++i) {
        EXPECT_GT(greyIn(true, i * 60), 100) << "time tick " << i;
        EXPECT_GT(greyIn(false, i * 40), 100) << "depth tick " << i;
    }
    EXPECT_LT(greyIn(true, 90), 20) << "between the ticks only where the other lines cross";
}

TEST_F(DetailsFrmTest, TheCrossHairFollowsTheCursorAndLeavesNoTrace)
{
    Open(AddTenSampleDive());
    // Sample 1: 120 s, 50 ft.
    QImage p = Picture();
    EXPECT_TRUE(IsBlack(p.pixel(560, 200)));
    EXPECT_TRUE(IsBlack(p.pixel(120, 380)));
    Form().GraphControl_ItemClick("NextData");   // sample 2: 180 s, 80 ft
    p = Picture();
    EXPECT_TRUE(IsBlack(p.pixel(560, 320)));
    EXPECT_TRUE(IsBlack(p.pixel(180, 20)));
    EXPECT_FALSE(IsBlack(p.pixel(560, 200))) << "the earlier row is gone";
    EXPECT_FALSE(IsBlack(p.pixel(120, 380))) << "the earlier column is gone";
    EXPECT_FALSE(IsBlack(Form().tmpPic.pixel(560, 320))) << "the kept drawing has no cross-hair";
}

TEST_F(DetailsFrmTest, AClickBetweenSamplesInterpolatesTheDepth)
{
    Open(AddTenSampleDive());
    Form().Graph_MouseDown(Qt::LeftButton, {}, 150, 0);   // half-way from 50 ft to 80 ft
    const QImage p = Picture();
    EXPECT_TRUE(IsBlack(p.pixel(150, 20)));
    EXPECT_TRUE(IsBlack(p.pixel(560, 260)));
    EXPECT_EQ(Form().CursorIndex, 1);
}

// A cursor road from a starting index, and the sample it ends on.
struct RoadCase {
    const char* name;
    int from;
    std::function<void(DetailsFrm&)> road;
    int to;
};

class CursorRoadTest : public DetailsFrmTest, public ::testing::WithParamInterface<RoadCase> {};

TEST_P(CursorRoadTest, EndsOn)
{
    Open(AddTenSampleDive());
    DetailsFrm& f = Form();
    f.CursorIndex = GetParam().from;
    f.KeyDown_Detail_PointGrid(f.CursorIndex);
    GetParam().road(f);
    EXPECT_EQ(f.CursorIndex, GetParam().to);
    EXPECT_EQ(f.DetailGrid->Row(), GetParam().to) << "the grid follows";
}

void Item(DetailsFrm& f, const char* key) { f.GraphControl_ItemClick(key); }
void Click(DetailsFrm& f, double x) { f.Graph_MouseDown(Qt::LeftButton, {}, x, 0); }

INSTANTIATE_TEST_SUITE_P(
    Roads, CursorRoadTest,
    ::testing::Values(
        RoadCase{"LastData", 3, [](DetailsFrm& f) { Item(f, "LastData"); }, 9},
        RoadCase{"NextDataStopsAtTheLast", 9, [](DetailsFrm& f) { Item(f, "NextData"); }, 9},
        RoadCase{"NextData", 4, [](DetailsFrm& f) { Item(f, "NextData"); }, 5},
        RoadCase{"FirstDataGoesToOne", 6, [](DetailsFrm& f) { Item(f, "FirstData"); }, 1},
        RoadCase{"PreviousDataStopsAtOne", 1, [](DetailsFrm& f) { Item(f, "PreviousData"); }, 1},
        RoadCase{"PreviousData", 5, [](DetailsFrm& f) { Item(f, "PreviousData"); }, 4},
        RoadCase{"GraphRightStopsAtTheLast", 9, [](DetailsFrm& f) { f.Graph_KeyDown(DetailsFrm::KeyRight, {}); }, 9},
        RoadCase{"GraphRight", 8, [](DetailsFrm& f) { f.Graph_KeyDown(DetailsFrm::KeyRight, {}); }, 9},
        RoadCase{"GraphLeftStopsAtOne", 1, [](DetailsFrm& f) { f.Graph_KeyDown(DetailsFrm::KeyLeft, {}); }, 1},
        RoadCase{"WindowRightStopsBeforeTheLast", 8, [](DetailsFrm& f) { f.Form_KeyDown(DetailsFrm::KeyRight, {}); }, 8},
        RoadCase{"WindowRight", 7, [](DetailsFrm& f) { f.Form_KeyDown(DetailsFrm::KeyRight, {}); }, 8},
        RoadCase{"ToolBarKeyLeft", 5, [](DetailsFrm& f) { f.GraphControl_KeyDown(DetailsFrm::KeyLeft, {}); }, 4},
        RoadCase{"ToolBarKeyLeftStopsAtOne", 1, [](DetailsFrm& f) { f.GraphControl_KeyDown(DetailsFrm::KeyLeft, {}); }, 1},
        RoadCase{"OtherKeysDoNothing", 5, [](DetailsFrm& f) { f.Graph_KeyDown(Qt::Key_Up, {}); }, 5},
        RoadCase{"ClickBetweenTakesTheEarlier", 5, [](DetailsFrm& f) { Click(f, 150); }, 1},
        RoadCase{"ClickOnASample", 5, [](DetailsFrm& f) { Click(f, 180); }, 2},
        RoadCase{"ClickOnTheFirstSample", 5, [](DetailsFrm& f) { Click(f, 60); }, 0},
        RoadCase{"ClickBeforeTheFirst", 5, [](DetailsFrm& f) { Click(f, 30); }, 5},
        RoadCase{"ClickAfterTheLast", 5, [](DetailsFrm& f) { Click(f, 595); }, 5}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(DetailsFrmTest, AClickAfterTheLastSampleErasesTheCrossHair)
{
    Open(AddTenSampleDive());
    Click(Form(), 595);
    EXPECT_EQ(Picture(), Form().tmpPic);
}

TEST_F(DetailsFrmTest, WindowKeysStepOverEqualTimes)
{
    const qint64 id = AddDive(DownloadedDive());
    AddTimes(id, {10, 20, 20, 20, 30, 40});
    Open(id);
    Form().Form_KeyDown(DetailsFrm::KeyRight, {});
    EXPECT_EQ(Form().CursorIndex, 2);
    Form().Form_KeyDown(DetailsFrm::KeyRight, {});
    EXPECT_EQ(Form().CursorIndex, 3) << "equal time stamps do not pull the cursor back";
}

TEST_F(DetailsFrmTest, StatusShowsTheAlarmsOfTheCursorsRow)
{
    const qint64 id = AddDive(DownloadedDive());
    AddSamples(id, {{10, 20.0}, {20, 30.0, 0, 0x10}, {30, 30.0, 0, 0x18}, {40, 10.0}});
    Open(id);
    BarItem& status = Form().GraphControl->Items("Status");
    EXPECT_EQ(status.Text(), "Ascent Rate Alarm ON");
    Form().GraphControl_ItemClick("NextData");
    EXPECT_EQ(status.Text(), "Max PO2, Ascent Rate Alarm ON");
    Form().GraphControl_ItemClick("NextData");
    EXPECT_EQ(status.Text(), "");
    Click(Form(), 10);
    EXPECT_EQ(Form().DetailGrid->Row(), 0) << "the grid follows to sample 0";
    EXPECT_EQ(status.Text(), "");
}

TEST_F(DetailsFrmTest, ZoomShowsHalfTheDiveAroundTheCursor)
{
    Open(AddTenSampleDive());
    Form().GraphControl_ItemClick("LastData");
    const QImage whole = Form().tmpPic;
    Form().GraphControl_ItemClick("ZoomIn");
    EXPECT_TRUE(Form().ZoomedIn);
    EXPECT_EQ(Form().ZoomStart, 300);
    EXPECT_EQ(Form().XG->Origin(), "5") << "the axis starts where the view starts";
    EXPECT_EQ(Form().XG->Labels(), (QStringList{"5.5", "6", "6.5", "7", "7.5", "8", "8.5", "9", "9.5", "10"}));
    const QImage zoomed = Form().tmpPic;
    EXPECT_NE(zoomed, whole);
    Form().GraphControl_ItemClick("ZoomIn");
    EXPECT_EQ(Form().tmpPic, zoomed) << "a second ZoomIn draws nothing new";
    Form().GraphControl_ItemClick("FirstData");   // the window scrolls to the cursor
    EXPECT_EQ(Form().ZoomStart, 0);
    EXPECT_EQ(Form().XG->Origin(), "0");
    EXPECT_EQ(Form().XG->Labels().first(), "0.5");
    Form().GraphControl_ItemClick("LastData");
    EXPECT_EQ(Form().XG->Origin(), "5");
    Form().GraphControl_ItemClick("ZoomOut");
    EXPECT_FALSE(Form().ZoomedIn);
    EXPECT_EQ(Form().XG->Origin(), "0");
    EXPECT_EQ(Form().XG->Labels().first(), "1");
}

TEST_F(DetailsFrmTest, ResamplingSpreadsTheLoadedTimes)
{
    const qint64 id = AddDive(DownloadedDive());
    AddTimes(id, {0, 2, 2, 2, 4});
    Open(id);
    Form().ResamplingTime();
    EXPECT_EQ(std::vector<qint32>(Form().SampleTime.begin(), Form().SampleTime.begin() + 5),
              (std::vector<qint32>{0, 2, 2, 3, 4}));
}

} // namespace
} // namespace kvl::test
