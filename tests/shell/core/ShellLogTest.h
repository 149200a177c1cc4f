#pragma once
// A fresh log from the template open in gv.DB, a clean application state, and
// main-window hooks that record what the shell asked of the bars.

#include "tests/support/LogFixture.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/MainWindowHooks.h"
#include "tests/support/KvlTest.h"

#include <QStringList>

#include <utility>
#include <vector>

namespace kvl::test {

struct RecordingHooks : MainWindowHooks {
    QStringList ltdTexts;
    QStringList sideBarKeys;
    QStringList entries;
    void SetLTDText(const QString& text) override { ltdTexts << text; }
    void SelectSideBarItem(const QString& key) override { sideBarKeys << key; }
    QStringList LTDEntries() const override { return entries; }
};

using test::Columns;

class ShellLogTest : public KvlTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Inserts a DIVEDATA row with these columns; returns its DIVEID.
    qint64 AddDive(const Columns& columns);
    // Inserts a row into a table keyed by DIVEID.
    void AddChildRow(const QString& table, qint64 diveId);
    // LIFETIMEDIVENO of every dive in DIVEID order.
    std::vector<qint64> Numbers();
    qint64 Count(const QString& table, qint64 diveId);
    qint64 Count(const QString& table);

    QString logPath;
    RecordingHooks hooks;
};

} // namespace kvl::test
