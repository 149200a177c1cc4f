#pragma once
// A fresh log open in gv.DB with the dives a test adds, and the dive record form
// loaded on the first of them. Typing is simulated through the boxes' own events.

#include "tests/support/LogFixture.h"
#include "dive/DiveFrm.h"
#include "shell/core/Global_Vars.h"
#include "tests/support/Keys.h"
#include "tests/support/KvlTest.h"

#include <memory>
#include <utility>
#include <vector>

namespace kvl::test {

using test::Columns;

// A manual dive on 2009/05/21 at 10:00 for 40 minutes, tank 1 on.
Columns ManualDive(Columns overrides = {});

class DiveFormTest : public KvlTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Adds a dive and its settings row (units 1 metric / 0 imperial, hour 1 24h / 0 12h;
    // Null leaves the column Null); returns its DIVEID.
    qint64 AddDive(const Columns& columns, db::Value units = 1, db::Value hour = 1, bool settingsRow = true);
    // Opens the dive list, stands on the dive and loads the form (or shows the dive
    // in the loaded form).
    void Show(qint64 diveId);
    // The row's value of a column.
    db::Value Stored(qint64 diveId, const QString& column);
    // Leaving the dive as the main window does: check, then save.
    bool SaveAsMainWindow();

    void Type(EditBox& box, const QString& text);
    void Leave(EditBox& box) { emit box.LostFocus(); }
    void TypeAndLeave(EditBox& box, const QString& text)
    {
        Type(box, text);
        Leave(box);
    }

    std::unique_ptr<DiveFrm> form;
};

} // namespace kvl::test
