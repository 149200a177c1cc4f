#pragma once
// A fresh log open in gv.DB with imperial units, and helpers that add dives and
// their sample rows.

#include "platform/db/Db.h"
#include "tests/support/KvlTest.h"
#include "tests/support/LogFixture.h"

#include <QString>

#include <optional>
#include <vector>

namespace kvl::test {

// One DIVEDETAILS row; a missing value is stored as Null.
struct SampleRow {
    std::optional<int> time;
    std::optional<double> depth;
    int vari = 0;
    int alarm = 0;
    std::optional<double> temp = 72;
    std::optional<double> po2 = 0;
    int recordType = 0;
    double tdepth = 0;
};

class ProfileLogTest : public KvlTest {
protected:
    void SetUp() override;
    void TearDown() override;

    qint64 AddDive(const Columns& columns);
    // Adds the rows with ORDNO 1, 2, ... in the given order.
    void AddSamples(qint64 diveId, const std::vector<SampleRow>& rows);
    // Samples at the given times, all at 30 ft.
    void AddTimes(qint64 diveId, const std::vector<int>& times);
    void SetImperial(bool imperial);
    // Makes the dive current as the shell does: the browsed list on it, its row loaded.
    void MakeCurrent(qint64 diveId);
};

// A downloaded dive of the served model; overrides replace or add columns.
Columns DownloadedDive(Columns overrides = {});

} // namespace kvl::test
