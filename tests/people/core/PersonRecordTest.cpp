// The person grid's rows and the mapping between a record and its USERINFO row.
#include "people/core/PersonRecord.h"
#include "tests/people/core/PeopleLogTest.h"

#include <algorithm>

namespace kvl::test {
namespace {

using namespace people;

TEST(PersonGridRowsTest, TwentyTwoRowsWithTheOwnPhoneCaptionOfEachForm)
{
    const std::vector<GridRow> diver = PersonGridRows(OwnPhoneCaption::Phone);
    const std::vector<GridRow> companion = PersonGridRows(OwnPhoneCaption::Home);
    ASSERT_EQ(diver.size(), 22u);
    ASSERT_EQ(companion.size(), 22u);
    auto count = [&](int kind) {
        return std::count_if(diver.begin(), diver.end(), [&](const GridRow& r) { return r.kind == kind; });
    };
    EXPECT_EQ(count(HeaderRow), 3);
    EXPECT_EQ(count(TextRow), 17);
    EXPECT_EQ(count(SpacerRow), 2);
    EXPECT_EQ(diver[0].key, "PERSONAL GROUP");
    EXPECT_EQ(diver[0].caption, "PERSONAL INFORMATION");
    EXPECT_EQ(diver[1].caption, "Name:\t");
    EXPECT_EQ(diver[10].kind, SpacerRow);
    EXPECT_TRUE(diver[10].key.isEmpty());
    EXPECT_EQ(diver[11].caption, "EMERGENCY CONTACT");
    EXPECT_EQ(diver[15].key, "MEDICAL GROUP");
    EXPECT_EQ(diver[21].caption, "Allergies:\t");
    for (size_t i = 0; i < diver.size(); ++i) {
        SCOPED_TRACE(diver[i].key.toStdString());
        EXPECT_EQ(diver[i].key, companion[i].key);
        if (diver[i].key == "PHONE") {
            EXPECT_EQ(diver[i].caption, "Phone:\t");
            EXPECT_EQ(companion[i].caption, "Home:\t");
        } else {
            EXPECT_EQ(diver[i].caption, companion[i].caption);
        }
    }
    // Three rows read "Phone:" on the diver's form; their keys tell them apart.
    QStringList phoneKeys;
    for (const GridRow& r : diver)
        if (r.caption == "Phone:\t")
            phoneKeys << r.key;
    EXPECT_EQ(phoneKeys, (QStringList{"PHONE", "CONTACTPHONE", "MEDPHONE"}));
}

struct StoreCase {
    const char* name;
    const char* key;
    QString typed;
    QString stored;
    bool taken;   // the field takes the typed value
};

class StoredValueTest : public ::testing::TestWithParam<StoreCase> {};

// A long value is refused as it is typed; one that reaches the store (a long value
// read from a log) is kept whole, never cut.
TEST_P(StoredValueTest, TrimsAndLimitsOnlyThePhonesAndThePostalCode)
{
    const StoreCase& c = GetParam();
    const auto& fields = PersonTextFields();
    const auto field = std::find_if(fields.begin(), fields.end(), [&](const TextField& f) { return c.key == QString(f.key); });
    ASSERT_NE(field, fields.end());
    EXPECT_EQ(StoredValue(*field, c.typed), c.stored);
    EXPECT_EQ(FieldTakes(*field, c.typed), c.taken);
}

const QString kDigits = "1234567890123456789012345";

INSTANTIATE_TEST_SUITE_P(
    People, StoredValueTest,
    ::testing::Values(StoreCase{"PhoneOfBlanksAnd25Digits", "PHONE", "   " + kDigits + "  ", kDigits, false},
                      StoreCase{"PhoneOfBlanksAnd20Digits", "PHONE", "   " + kDigits.left(20) + "  ", kDigits.left(20), true},
                      StoreCase{"ContactPhone", "CONTACTPHONE", " 555 1234 ", "555 1234", true},
                      StoreCase{"MedicalPhoneOf21", "MEDPHONE", kDigits.left(21), kDigits.left(21), false},
                      StoreCase{"PostalCodeWithLeadingBlanks", "ZIPCODE", "   96740", "96740", true},
                      StoreCase{"PhoneOfBlanksOnly", "PHONE", "     ", "", true},
                      StoreCase{"NameVerbatim", "NAME", "  Ann O'Neil  ", "  Ann O'Neil  ", true},
                      StoreCase{"LongAddressVerbatim", "ADDRESS1", QString(60, 'a'), QString(60, 'a'), true},
                      StoreCase{"EmailVerbatim", "EMAIL", " a@b.c", " a@b.c", true}),
    [](const auto& row) { return std::string(row.param.name); });

class PersonRowTest : public PeopleLogTest {};

TEST_F(PersonRowTest, ThePhoneRowReadsAndWritesHome)
{
    const qint64 id = AddPerson("Ann O'Neil", CaptainType, {{"HOME", "555-0100"}, {"CITY", "Kona"}});
    std::optional<StoredPerson> shown = ReadPerson(*log, id);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->record.value("PHONE"), "555-0100");
    EXPECT_EQ(shown->record.value("NAME"), "Ann O'Neil");
    EXPECT_EQ(shown->record.value("ZIPCODE"), "");   // Null shows empty
    EXPECT_EQ(shown->record.size(), 17);

    shown->record["PHONE"] = "  555-0199  ";
    shown->record["ZIPCODE"] = "  96740";
    ASSERT_TRUE(WritePerson(*log, id, shown->record));
    EXPECT_EQ(log->Scalar("Select HOME from USERINFO where USERID = ?", {id}).ToString(), "555-0199");
    EXPECT_EQ(log->Scalar("Select ZIPCODE from USERINFO where USERID = ?", {id}).ToString(), "96740");
    EXPECT_EQ(log->Scalar("Select NAME from USERINFO where USERID = ?", {id}).ToString(), "Ann O'Neil");
    EXPECT_EQ(log->Scalar("Select USERTYPE from USERINFO where USERID = ?", {id}).ToLong(), CaptainType);
}

TEST_F(PersonRowTest, AFieldOfBlanksOnlyShowsEmptyAndOthersAsStored)
{
    const qint64 id = AddPerson("Ann", BuddyType, {{"CITY", " "}, {"STATE", "   "}, {"ADDRESS1", " 1 Reef Rd "}, {"HOME", "\t "}});
    const PersonRecord record = ReadPerson(*log, id)->record;
    EXPECT_EQ(record.value("CITY"), "");
    EXPECT_EQ(record.value("STATE"), "");
    EXPECT_EQ(record.value("PHONE"), "");
    EXPECT_EQ(record.value("ADDRESS1"), " 1 Reef Rd ");
}

TEST_F(PersonRowTest, WritesOnlyTheRowOfItsId)
{
    const qint64 ann = AddPerson("Ann", BuddyType, {{"CITY", "Kona"}});
    const qint64 bo = AddPerson("Bo", BuddyType, {{"CITY", "Hilo"}});
    PersonRecord record = ReadPerson(*log, ann)->record;
    record["CITY"] = "Lanai";
    EXPECT_FALSE(WritePerson(*log, bo + 100, record));   // a deleted person takes nothing
    EXPECT_EQ(Count("Select count(*) from USERINFO"), 2);
    ASSERT_TRUE(WritePerson(*log, ann, record));
    EXPECT_EQ(log->Scalar("Select CITY from USERINFO where USERID = ?", {bo}).ToString(), "Hilo");
    EXPECT_EQ(log->Scalar("Select CITY from USERINFO where USERID = ?", {ann}).ToString(), "Lanai");
}

TEST_F(PersonRowTest, TheDiverIsTheFirstRowOfTypeOne)
{
    EXPECT_FALSE(ReadDiver(*log));
    AddPerson("Crew Member", CrewType);
    const qint64 diver = InsertPerson(*log, DiverType, {{"NAME", "Sam"}, {"PHONE", " 1 "}});
    const std::optional<StoredPerson> read = ReadDiver(*log);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->id, diver);
    EXPECT_EQ(read->record.value("PHONE"), "1");
    // Every text field the record lacks is stored as empty text, not Null.
    EXPECT_EQ(Count("Select count(*) from USERINFO where USERID = ? and ALLERGIES = '' and USERTYPE = 1", {diver}), 1);
}

TEST_F(PersonRowTest, ARefusedWriteChangesNothing)
{
    const qint64 id = AddPerson("Ann", BuddyType, {{"CITY", "Kona"}});
    RefuseWrites("USERINFO", "update");
    PersonRecord record = ReadPerson(*log, id)->record;
    record["CITY"] = "Hilo";
    EXPECT_THROW(WritePerson(*log, id, record), db::DbError);
    EXPECT_EQ(log->Scalar("Select CITY from USERINFO where USERID = ?", {id}).ToString(), "Kona");
}

} // namespace
} // namespace kvl::test
