#pragma once
// The profile view over a fresh log: a downloaded dive of ten samples drawn on a graph
// of a fixed size, so that pixels stand at known places.

#include "analysis/DetailsFrm.h"
#include "tests/support/ProfileLog.h"

#include <QImage>

#include <memory>

namespace kvl::test {

class DetailsFrmTest : public ProfileLogTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Adds the ten-sample dive (BTIME 10 minutes, MDEPTH 100 ft, a fast ascent from
    // sample 6 to 7) with a settings row; returns its DIVEID.
    qint64 AddTenSampleDive(Columns overrides = {});
    // Makes the dive current and opens the view on it (or reloads the open view).
    void Open(qint64 diveId);

    DetailsFrm& Form() { return *form; }
    // The graph's picture as drawn now.
    QImage Picture();

    // The graph is 601 x 401 pixels: one pixel per second over the 600-second axis and
    // four per foot over the 100-foot axis.
    static constexpr int GraphWidth = 601;
    static constexpr int GraphHeight = 401;

    std::unique_ptr<DetailsFrm> form;
};

} // namespace kvl::test
