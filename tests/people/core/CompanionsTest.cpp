// The companions' lists, their links to the dives, and adding and deleting people.
#include "people/core/Companions.h"
#include "tests/people/core/PeopleLogTest.h"

namespace kvl::test {
namespace {

using namespace people;

class CompanionsTest : public PeopleLogTest {
protected:
    const CompanionKind& captain = *CompanionKindOf(CaptainType);
    const CompanionKind& crew = *CompanionKindOf(CrewType);
    const CompanionKind& buddy = *CompanionKindOf(BuddyType);
};

TEST_F(CompanionsTest, TheKindsTable)
{
    EXPECT_EQ(CompanionKindOf(DiverType), nullptr);
    EXPECT_EQ(CompanionKindOf(5), nullptr);
    EXPECT_STREQ(captain.word, "CAPTAIN");
    EXPECT_STREQ(crew.word, "CREW");
    EXPECT_STREQ(buddy.word, "BUDDY");
    EXPECT_STREQ(captain.label, "Captain:");
    EXPECT_STREQ(crew.linkTable, "CREWS");
    EXPECT_STREQ(buddy.idField, "BUDDYID");
}

TEST_F(CompanionsTest, ListsTheKindsPeopleByNameWithoutRegardToCase)
{
    const qint64 bo = AddPerson("bo", BuddyType);
    const qint64 al = AddPerson("Al", BuddyType);
    const qint64 cy = AddPerson("Cy", BuddyType);
    const qint64 al2 = AddPerson("Al", BuddyType);
    AddPerson("Aa Captain", CaptainType);
    AddPerson("Aa Diver", DiverType);
    const std::vector<ListedPerson> people = ListPeople(*log, buddy);
    ASSERT_EQ(people.size(), 4u);
    EXPECT_EQ(people[0].name, "Al");
    EXPECT_EQ(people[1].name, "Al");
    EXPECT_EQ((QSet<qint64>{people[0].id, people[1].id}), (QSet<qint64>{al, al2}));
    EXPECT_EQ(people[2].id, bo);
    EXPECT_EQ(people[3].id, cy);
    EXPECT_TRUE(ListPeople(*log, crew).empty());
}

TEST_F(CompanionsTest, StoringTicksRewritesOnlyThatDiveAndKind)
{
    const qint64 ann = AddPerson("Ann", CaptainType);
    const qint64 bo = AddPerson("Bo", CaptainType);
    Link("CAPTAIN", "CAPID", 7, ann);
    Link("CAPTAIN", "CAPID", 7, ann);      // a duplicate
    Link("CAPTAIN", "CAPID", 7, 999);      // a person who no longer exists
    Link("CAPTAIN", "CAPID", 8, bo);       // another dive
    Link("CREWS", "CREWID", 7, ann);       // another kind
    Link("BUDDIES", "BUDDYID", 7, bo);

    EXPECT_EQ(LoadTicks(*log, captain, 7), (QSet<qint64>{ann, 999}));
    ASSERT_TRUE(StoreTicks(*log, captain, 7, {ann, bo}));
    EXPECT_EQ(Links("CAPTAIN", "CAPID"), (LinkRows{{7, ann}, {7, bo}, {8, bo}}));
    EXPECT_EQ(Links("CREWS", "CREWID"), (LinkRows{{7, ann}}));
    EXPECT_EQ(Links("BUDDIES", "BUDDYID"), (LinkRows{{7, bo}}));

    ASSERT_TRUE(StoreTicks(*log, captain, 7, {}));   // a list without ticks leaves none
    EXPECT_EQ(Links("CAPTAIN", "CAPID"), (LinkRows{{8, bo}}));
}

TEST_F(CompanionsTest, WithoutACurrentDiveNothingIsLoadedOrStored)
{
    const qint64 ann = AddPerson("Ann", BuddyType);
    Link("BUDDIES", "BUDDYID", -1, ann);
    EXPECT_TRUE(LoadTicks(*log, buddy, -1).isEmpty());
    EXPECT_FALSE(StoreTicks(*log, buddy, -1, {ann}));
    EXPECT_FALSE(StoreTicks(*log, buddy, 0, {ann}));
    EXPECT_EQ(Links("BUDDIES", "BUDDYID"), (LinkRows{{-1, ann}}));
}

TEST_F(CompanionsTest, ARefusedTickStoreKeepsTheDivesCompanions)
{
    const qint64 ann = AddPerson("Ann", CrewType);
    const qint64 bo = AddPerson("Bo", CrewType);
    Link("CREWS", "CREWID", 3, ann);
    RefuseWrites("CREWS", "insert");
    EXPECT_THROW(StoreTicks(*log, crew, 3, {bo}), db::DbError);
    EXPECT_EQ(Links("CREWS", "CREWID"), (LinkRows{{3, ann}}));
}

TEST_F(CompanionsTest, AddingGivesANewPersonEachTimeWithEmptyTextFields)
{
    const qint64 first = people::AddPerson(*log, crew, "Ann O'Neil");
    const qint64 second = people::AddPerson(*log, crew, "Ann O'Neil");
    const qint64 blanks = people::AddPerson(*log, crew, "   ");
    EXPECT_NE(first, second);
    EXPECT_EQ(Count("Select count(*) from USERINFO where NAME = ? and USERTYPE = 3", {"Ann O'Neil"}), 2);
    EXPECT_EQ(log->Scalar("Select NAME from USERINFO where USERID = ?", {blanks}).ToString(), "   ");
    EXPECT_EQ(Count("Select count(*) from USERINFO where USERID = ? and ADDRESS1 = '' and HOME = '' "
                    "and ALLERGIES = ''", {first}),
              1);
}

TEST_F(CompanionsTest, DeletingRemovesThePersonAndHisLinksInEveryDive)
{
    const qint64 ann = AddPerson("Ann O'Neil", CaptainType);
    const qint64 bo = AddPerson("Bo", CaptainType);
    for (qint64 dive : {1, 2, 3})
        Link("CAPTAIN", "CAPID", dive, ann);
    Link("CAPTAIN", "CAPID", 1, bo);
    Link("BUDDIES", "BUDDYID", 1, ann);   // the same number in another kind's table
    DeletePerson(*log, captain, ann);
    EXPECT_EQ(Count("Select count(*) from USERINFO where USERID = ?", {ann}), 0);
    EXPECT_EQ(Links("CAPTAIN", "CAPID"), (LinkRows{{1, bo}}));
    EXPECT_EQ(Links("BUDDIES", "BUDDYID"), (LinkRows{{1, ann}}));
}

TEST_F(CompanionsTest, ARefusedDeleteDeletesNothing)
{
    const qint64 ann = AddPerson("Ann", BuddyType);
    Link("BUDDIES", "BUDDYID", 1, ann);
    RefuseWrites("BUDDIES", "delete");
    EXPECT_THROW(DeletePerson(*log, buddy, ann), db::DbError);
    EXPECT_EQ(Count("Select count(*) from USERINFO where USERID = ?", {ann}), 1);
    EXPECT_EQ(Links("BUDDIES", "BUDDYID"), (LinkRows{{1, ann}}));
}

} // namespace
} // namespace kvl::test
