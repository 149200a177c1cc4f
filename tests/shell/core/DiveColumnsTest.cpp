// The table of dive columns as the log sees it: a dive loaded and written back to
// another row carries every saved column over, and a change to any saved column in
// the row is seen as a difference.
#include "dive/core/DiveSave.h"
#include "shell/core/DiveColumns.h"
#include "shell/core/DiveRows.h"
#include "tests/shell/core/ShellLogTest.h"

#include <set>

namespace kvl {
namespace {

class DiveColumnsTest : public test::ShellLogTest {
protected:
    // A value unlike a blank row's, of the column's kind.
    static db::Value Distinct(const DiveColumn& column)
    {
        if (QLatin1String(column.column) == QLatin1String("DATATYPE"))
            return 0;   // entered by hand: the model columns are written too
        if (Holds<QString>(column))
            return QStringLiteral("O'Neil ") + column.column;
        if (Holds<qint32>(column))
            return 1234;
        if (Holds<quint8>(column))
            return 7;
        if (Holds<bool>(column))
            return -1;   // Yes
        if (Holds<float>(column))
            return 12.5;
        return 31.5;
    }
    template <class Kind>
    static bool Holds(const DiveColumn& column)
    {
        return std::holds_alternative<Kind DiveDataRec::*>(column.member);
    }

    qint64 DiveOfDistinctValues()
    {
        test::Columns columns{{"LIFETIMEDIVENO", 1}};
        std::set<QString> seen{"LIFETIMEDIVENO"};
        for (const DiveColumn& column : DiveColumns())
            if (column.save != DiveColumnSave::No && seen.insert(column.column).second)
                columns.emplace_back(column.column, Distinct(column));
        return AddDive(columns);
    }

    void Load(qint64 diveId)
    {
        gv.rsDiveData = gv.DB->OpenRecordset("Select * from DIVEDATA where DIVEID = ?", {diveId});
        LoadCurrentDive();
    }

    db::Value Stored(qint64 diveId, const char* column)
    {
        return gv.DB->Scalar(QStringLiteral("Select %1 from DIVEDATA where DIVEID = ?").arg(column), {diveId});
    }

    static bool Saved(const char* column)
    {
        for (const DiveColumn& c : DiveColumns())
            if (QLatin1String(c.column) == QLatin1String(column) && c.save != DiveColumnSave::No)
                return true;
        return false;
    }
};

TEST_F(DiveColumnsTest, ADiveWrittenToAnotherRowCarriesEverySavedColumnOver)
{
    const qint64 source = DiveOfDistinctValues();
    const qint64 target = AddDive({{"LIFETIMEDIVENO", 2}});
    Load(source);
    ASSERT_TRUE(WriteDiveRecord(target, gv.CurrentDive));

    for (const DiveColumn& column : DiveColumns()) {
        if (column.save == DiveColumnSave::No)
            continue;
        const char* from = column.save == DiveColumnSave::AsTemp ? "TEMP" : column.column;
        EXPECT_EQ(Stored(target, column.column), Stored(source, from)) << column.column;
    }
    EXPECT_FALSE(DiveRecordDiffers(target, gv.CurrentDive));
}

TEST_F(DiveColumnsTest, AChangeToASavedColumnOfTheRowIsADifference)
{
    const qint64 id = DiveOfDistinctValues();
    Load(id);
    ASSERT_FALSE(DiveRecordDiffers(id, gv.CurrentDive));
    for (const DiveColumn& column : DiveColumns()) {
        const db::Value before = Stored(id, column.column);
        const db::Value changed = Holds<QString>(column) ? db::Value("changed")
                                  : Holds<bool>(column)  ? db::Value(0)   // Yes to No
                                                         : db::Value(2);
        gv.DB->Execute(QStringLiteral("Update DIVEDATA set %1 = ? where DIVEID = ?").arg(column.column), {changed, id});
        // MINIMUM follows TEMP; the columns loaded only are another form's business.
        const bool seen = column.save != DiveColumnSave::AsTemp && Saved(column.column);
        EXPECT_EQ(DiveRecordDiffers(id, gv.CurrentDive), seen) << column.column;
        gv.DB->Execute(QStringLiteral("Update DIVEDATA set %1 = ? where DIVEID = ?").arg(column.column), {before, id});
    }
}

TEST_F(DiveColumnsTest, YesNoColumnsDifferOnlyBetweenYesAndNo)
{
    const qint64 id = DiveOfDistinctValues();   // TANK1ON is Yes (-1)
    Load(id);
    gv.DB->Execute("Update DIVEDATA set TANK1ON = 1 where DIVEID = ?", {id});   // still Yes
    EXPECT_FALSE(DiveRecordDiffers(id, gv.CurrentDive));
    gv.DB->Execute("Update DIVEDATA set TANK1ON = 0 where DIVEID = ?", {id});
    EXPECT_TRUE(DiveRecordDiffers(id, gv.CurrentDive));
}

} // namespace
} // namespace kvl
