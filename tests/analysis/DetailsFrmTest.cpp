#include "tests/analysis/DetailsFrmTest.h"

#include "platform/widgets/PictureBox.h"

#include "shell/core/Global_Vars.h"

#include <QApplication>

namespace kvl::test {

void DetailsFrmTest::SetUp()
{
    ProfileLogTest::SetUp();
    SetImperial(true);
    gv.UnitTime = 1;
}

void DetailsFrmTest::TearDown()
{
    form.reset();
    ProfileLogTest::TearDown();
}

qint64 DetailsFrmTest::AddTenSampleDive(Columns overrides)
{
    const qint64 id = AddDive(DownloadedDive(std::move(overrides)));
    gv.DB->Execute("INSERT INTO DIVE_DC_SETTINGS (DIVEID, UNITS, HOUR, ALTTIME, MAXDEPTH) VALUES (?, 0, 0, 0, 200)",
                   {id});
    // time, depth, ascent band
    const int samples[10][3] = {{60, 20, 0},  {120, 50, 0}, {180, 80, 0}, {240, 90, 0}, {300, 90, 0},
                                {360, 80, 0}, {420, 60, 5}, {480, 30, 5}, {540, 30, 0}, {590, 10, 0}};
    std::vector<SampleRow> rows;
    for (const auto& s : samples)
        rows.push_back({s[0], double(s[1]), s[2]});
    AddSamples(id, rows);
    return id;
}

void DetailsFrmTest::Open(qint64 diveId)
{
    MakeCurrent(diveId);
    if (form) {
        form->Detail_Initinfo();
        return;
    }
    form = std::make_unique<DetailsFrm>();
    form->Graph->setFixedSize(GraphWidth, GraphHeight);
    form->resize(1000, 900);
    form->show();
    QApplication::processEvents();
    form->Form_Load();
}

QImage DetailsFrmTest::Picture()
{
    return form->Graph->Picture();
}

} // namespace kvl::test
