#pragma once
// The program started on the sample log, with helpers that act on the site and gear
// forms as a user does (typing, picking, stepping through dives) and read the log
// behind them.

#include "platform/widgets/SmartSideBar.h"
#include "platform/widgets/SmartToolBar.h"
#include "shell/MDI_MainFrm.h"
#include "shell/core/Global_Vars.h"
#include "tests/shell/MainFrmTest.h"
#include "tests/support/Keys.h"
#include "tests/support/LogFixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStringList>

namespace kvl::test {

class LocationFormFixture : public MainFrmTest {
protected:
    void SetUp() override
    {
        MainFrmTest::SetUp();
        ASSERT_TRUE(StartUp());
    }
    db::Database& Log() { return *gv.DB; }
    db::Value Field(const QString& column, qint64 diveId)
    {
        return Log().Scalar("SELECT " + column + " FROM DIVEDATA WHERE DIVEID = ? ;", {diveId});
    }
    qint64 Number(const QString& sql, const db::Params& params = {}) { return Log().Scalar(sql, params).ToLong(); }
    // Makes every write of this kind to the table fail, as a damaged or locked log would.
    void RefuseWrites(const QString& table, const QString& kind)
    {
        Log().Execute(QString("CREATE TRIGGER refuse_%1_%2 BEFORE %2 ON %1 BEGIN SELECT raise(abort, 'refused'); END ;")
                          .arg(table, kind));
    }
    void AllowWrites(const QString& table, const QString& kind)
    {
        Log().Execute(QString("DROP TRIGGER refuse_%1_%2 ;").arg(table, kind));
    }
    void OpenForm(const QString& sideKey) { MainFrm().SmartBar->Items(sideKey).SetSelected(true); }
    void Tool(const QString& key)
    {
        MainFrm().SmartUI1->Items(key).SetSelected(true);
        MainFrm().SmartUI1->Items(key).SetSelected(false);
    }
    // 1 imperial, 0 metric, as the diver's units form sets them.
    static void SetUnits(quint8 flag)
    {
        gv.UnitDepth = gv.UnitTemp = gv.UnitWeight = gv.UnitPressure = gv.UnitCylinder = flag;
    }
    static void SelectAll(QWidget& box)
    {
        QKeyEvent selectAll(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier);
        QApplication::sendEvent(&box, &selectAll);
    }
    // Replaces a box's text by typing: select all, then one key per character.
    static void Type(QWidget& box, const QString& text)
    {
        SelectAll(box);
        QKeyEvent erase(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
        QApplication::sendEvent(&box, &erase);
        KeyIn(box, text);
    }
    // Every row of the tables a visit might touch, as text, in a fixed order.
    QStringList Dump(const QStringList& tables)
    {
        QStringList rows;
        for (const QString& table : tables) {
            auto rs = Log().OpenSnapshot("SELECT * FROM " + table + " ORDER BY rowid ;");
            for (; !rs->EOF(); rs->MoveNext()) {
                QStringList values;
                for (const QString& name : rs->FieldNames()) {
                    const db::Value v = rs->Field(name);
                    values << (v.IsNull() ? QStringLiteral("<null>") : v.ToString());
                }
                rows << table + ": " + values.join('|');
            }
        }
        return rows;
    }
};

} // namespace kvl::test
