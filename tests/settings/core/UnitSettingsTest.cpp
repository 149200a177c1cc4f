#include "settings/core/UnitSettings.h"
#include "tests/support/KvlTest.h"
#include "tests/support/LogFixture.h"

namespace kvl::settings {
namespace {

constexpr qint32 Model = 6774;
constexpr qint32 Unit = 10203;

class UnitSettingsTest : public test::KvlTest {
protected:
    void SetUp() override
    {
        test::KvlTest::SetUp();
        const QString path = Home() + "/log.dlg";
        ASSERT_TRUE(test::MakeFreshLog(path));
        db = db::Database::Open(path);
    }

    void SetByte(int byte, int value) { block[byte] = static_cast<char>(value); }

    int Count(const QString& table, qint32 serial)
    {
        return static_cast<int>(
            db->Scalar("Select count(*) from " + table + " where DCID = ? and DCSERIALNO = ?", {Model, serial})
                .ToLong());
    }

    db::Value Column(const QString& column, qint32 serial)
    {
        return ValueOf(ReadSettingsRow(*db, {Model, serial}).value_or(SettingsValues{}), column);
    }

    std::unique_ptr<db::Database> db;
    QByteArray block = QByteArray(PageBytes, '\0');
    std::vector<DCNavLeg> legs;
};

TEST_F(UnitSettingsTest, ReadingAUnitAddsItsRowOnceAndReplacesItsLegs)
{
    SetByte(0, 8);      // 40 ft
    SetByte(8, 0x10);   // 24-hour clock
    legs = {{90, true, false, 60}, {180, false, true, 120}};
    ReplaceLegs(*db, {Model, Unit}, LegRows(std::vector<DCNavLeg>(7, DCNavLeg{1, false, false, 5})));

    EXPECT_EQ(StoreUnitSettings(*db, Model, Unit, block, legs, "2B"), Hour24);
    SetByte(0, 80);
    SetByte(8, 0);
    EXPECT_EQ(StoreUnitSettings(*db, Model, Unit, block, legs, "2C"), Hour12);

    EXPECT_EQ(Count("DC_SETTINGS", Unit), 1);
    EXPECT_EQ(Column("MAXDEPTH", Unit).ToLong(), 400);
    EXPECT_EQ(Column("FIRMWAREREV", Unit).ToString(), "2C");
    const auto rows = ReadLegs(*db, {Model, Unit});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].LEGNO.ToLong(), 2);
    EXPECT_EQ(rows[1].HEADING.ToLong(), 180);
    EXPECT_EQ(rows[1].CDT.ToLong(), 120);
    EXPECT_EQ(rows[1].AUDIBLEALARM.ToLong(), 0);
    EXPECT_EQ(rows[1].LIGHTALARM.ToLong(), -1);
    // The factory set and the edited set of the model are not touched.
    EXPECT_EQ(Count("DC_SETTINGS", FactorySerial), 1);
}

TEST_F(UnitSettingsTest, AFailedStoreLeavesTheUnitAsItWas)
{
    ReplaceLegs(*db, {Model, Unit}, LegRows({{1, false, false, 5}, {2, false, false, 5}}));
    legs = {{90, true, false, 60}};
    db->Execute("CREATE TRIGGER no_nav BEFORE INSERT ON DC_NAV WHEN NEW.HEADING = 90 "
                "BEGIN SELECT RAISE(ABORT, 'full'); END");
    EXPECT_THROW(StoreUnitSettings(*db, Model, Unit, block, legs, "2B"), db::DbError);
    EXPECT_EQ(Count("DC_SETTINGS", Unit), 0);
    EXPECT_EQ(Count("DC_NAV", Unit), 2);
}

class EditedSetTest : public UnitSettingsTest {
protected:
    void SetUp() override
    {
        UnitSettingsTest::SetUp();
        WriteSettingsRow(*db, {Model, EditedSerial},
                         {{"FIRMWAREREV", "ZZ"}, {"MAXDEPTH", 130}, {"EDT", 45}, {"DTR", 7}, {"TURNPSI", 2500},
                          {"RECEIVER", 1}, {"SYSTEMCLOCK", 1}, {"TID2", 7}});
        ReplaceLegs(*db, {Model, EditedSerial},
                    {{1, 10, 60, true, false}, {0, 20, 60, false, false}, {2, 30, 90, false, true},
                     {3, 40, 30, false, false}});
    }

    SettingsValues Row(qint32 serial) { return ReadSettingsRow(*db, {Model, serial}).value_or(SettingsValues{}); }
};

TEST_F(EditedSetTest, TheEditedSetIsItsRowAndItsNumberedLegs)
{
    auto edited = ReadEditedSet(*db, Model);
    ASSERT_TRUE(edited);
    EXPECT_EQ(ValueOf(edited->row, "DTR").ToLong(), 7);
    EXPECT_EQ(edited->legs, (std::vector<DCNavLeg>{{10, true, false, 60}, {30, false, true, 90}, {40, false, false, 30}}));

    db->Execute("Delete from DC_NAV where DCSERIALNO = -1");
    edited = ReadEditedSet(*db, Model);
    ASSERT_TRUE(edited) << "a set without legs can be written";
    EXPECT_TRUE(edited->legs.empty());

    db->Execute("Delete from DC_SETTINGS where DCSERIALNO = -1");
    EXPECT_FALSE(ReadEditedSet(*db, Model));
}

TEST_F(EditedSetTest, AfterAWriteTheUnitsRowIsWhatAReadOfTheUnitStores)
{
    WriteSettingsRow(*db, {Model, Unit}, {{"MAXDEPTH", 40}, {"FIRMWAREREV", "1A"}});
    ReplaceLegs(*db, {Model, Unit}, LegRows(std::vector<DCNavLeg>(7, DCNavLeg{1, false, false, 5})));
    SetByte(0, 8);      // 40 ft
    SetByte(4, 0xDC);   // turn pressure 1500 psi: the unit kept its own
    SetByte(5, 0x05);
    SetByte(10, 0x15);  // DTR 15 minutes
    legs = {{90, true, false, 60}};
    const auto edited = ReadEditedSet(*db, Model);
    ASSERT_TRUE(edited);
    StoreWrittenSettings(*db, Model, Unit, edited->row, block, legs, "2B");

    const SettingsValues written = Row(Unit);
    EXPECT_EQ(ValueOf(written, "MAXDEPTH").ToLong(), 40);
    EXPECT_EQ(ValueOf(written, "TURNPSI").ToLong(), 1500);
    EXPECT_EQ(ValueOf(written, "DTR").ToLong(), 15);
    EXPECT_EQ(ValueOf(written, "RECEIVER").ToLong(), 0);   // the block has no place for it
    EXPECT_EQ(ValueOf(written, "SYSTEMCLOCK").ToLong(), 1);
    EXPECT_EQ(ValueOf(written, "TID2").ToLong(), 7);
    EXPECT_EQ(ValueOf(written, "FIRMWAREREV").ToString(), "2B");
    EXPECT_EQ(DeviceLegs(ReadLegs(*db, {Model, Unit})), legs);
    EXPECT_EQ(Count("DC_SETTINGS", Unit), 1);

    StoreUnitSettings(*db, Model, Unit, block, legs, "2B");
    EXPECT_EQ(Row(Unit), written) << "a fresh read of the unit changes nothing";
    EXPECT_EQ(ValueOf(Row(EditedSerial), "FIRMWAREREV").ToString(), "ZZ");
    EXPECT_EQ(Count("DC_NAV", EditedSerial), 4);
}

TEST_F(EditedSetTest, AFailedStoreAfterAWriteLeavesTheUnitAsItWas)
{
    WriteSettingsRow(*db, {Model, Unit}, {{"MAXDEPTH", 130}});
    ReplaceLegs(*db, {Model, Unit}, LegRows({{5, false, false, 5}}));
    db->Execute("CREATE TRIGGER no_nav BEFORE INSERT ON DC_NAV WHEN NEW.HEADING = 90 "
                "BEGIN SELECT RAISE(ABORT, 'full'); END");
    const SettingsValues before = Row(Unit);
    EXPECT_THROW(StoreWrittenSettings(*db, Model, Unit, ReadEditedSet(*db, Model)->row, block,
                                      {{90, true, false, 60}}, "2B"),
                 db::DbError);
    EXPECT_EQ(Row(Unit), before);
    EXPECT_EQ(ReadLegs(*db, {Model, Unit}).at(0).HEADING.ToLong(), 5);
}

} // namespace
} // namespace kvl::settings
