#include "device/core/DownloadArchive.h"
#include "platform/db/Db.h"
#include "tests/support/KvlTest.h"
#include "tests/support/LogFixture.h"

#include <QDir>
#include <QFile>

namespace kvl::device {
namespace {

const QDateTime When(QDate(2009, 5, 21), QTime(14, 7, 33));

TEST(ArchiveName, ModelSerialDateAndTime)
{
    EXPECT_EQ(ArchiveFileName("QX07", 1234, When), "QX070012340905211407.dat");
    EXPECT_EQ(ArchiveFileName("QX 07 B", 10203, When), "QX_07_B0102030905211407.dat");
    EXPECT_EQ(PlainImageFileName("QX 07", 7, When), "QX 070000070905211407.dat");
}

class DownloadArchiveTest : public test::KvlTest {
protected:
    void SetUp() override
    {
        test::KvlTest::SetUp();
        QDir(Home()).mkpath("data");
        content.modelName = "QX07";
        content.modelId = 6774;
        content.serial = 10203;
        content.image.assign(RxBufferSize, 0);
        for (int i = 0; i < ArchivePages * PageSlotSize; ++i)
            content.image[static_cast<size_t>(i)] = static_cast<quint8>(i * 7 % 251);
        content.dives[0].DiveNo = 3;
        content.dives[0].DiveDate = "2009/06/04";
        content.dives[0].SA = 200;
        content.dives[0].EA = 290;
        content.dives[0].IsSaved = true;
        content.dives[2].DiveNo = 4;
    }

    QString Path() const { return Home() + "/data/" + ArchiveFileName("QX07", 10203, When); }

    ArchiveContent content;
};

TEST_F(DownloadArchiveTest, StoresTheImageIdentityAndListScrambled)
{
    ASSERT_EQ(SaveArchive(Path(), test::ArchiveTemplatePath(), content), "");
    EXPECT_TRUE(QDir(Home() + "/data").entryList({"*.dec"}, QDir::Files).isEmpty());

    const QString plain = Home() + "/plain.db";
    ASSERT_TRUE(UnscrambleArchive(Path(), plain));
    {
        auto db = db::Database::Open(plain);
        EXPECT_EQ(db->Scalar("Select count(*) from DATA").ToLong(), ArchivePages);
        EXPECT_EQ(db->Scalar("Select B3 from DATA where PAGE = 100").ToLong(), (100 * 17 + 3) * 7 % 251);
        EXPECT_EQ(db->Scalar("Select CHECKSUM from DATA where PAGE = 4095").ToLong(), (4095 * 17 + 16) * 7 % 251);
        EXPECT_EQ(db->Scalar("Select group_concat(DiveNo) from DivesIndex").ToString(), "3,4");
        EXPECT_EQ(db->Scalar("Select IsSaved from DivesIndex where DiveNo = 3").ToLong(), -1);
        EXPECT_EQ(db->Scalar("Select DCSerialNo from DCInfo").ToLong(), 10203);
    }

    ArchiveContent back;
    ASSERT_EQ(LoadPlainArchive(plain, back), "");
    EXPECT_EQ(back.image, content.image);
    EXPECT_EQ(back.modelName, "QX07");
    EXPECT_EQ(back.serial, 10203);
    EXPECT_FALSE(QFile::exists(plain));
}

TEST_F(DownloadArchiveTest, AMissingDataFolderWritesNothing)
{
    QDir(Home() + "/data").removeRecursively();
    EXPECT_EQ(SaveArchive(Path(), test::ArchiveTemplatePath(), content), "Error saving dive data.");
    EXPECT_FALSE(QFile::exists(Path()));
}

TEST_F(DownloadArchiveTest, AnUnreadableWorkCopyLeavesNoArchive)
{
    QFile tpl(Home() + "/bad.tpl");
    ASSERT_TRUE(tpl.open(QIODevice::WriteOnly));
    tpl.write(QByteArray(4096, 'x'));
    tpl.close();
    const QString error = SaveArchive(Path(), tpl.fileName(), content);
    EXPECT_TRUE(error == "Could not open dive data file." || error == "Could not save the dive computer information.")
        << error.toStdString();
    EXPECT_FALSE(QFile::exists(Path()));
}

TEST_F(DownloadArchiveTest, AnArchiveWithoutIdentityLoadsAsUnknown)
{
    const QString plain = Home() + "/plain.db";
    ASSERT_TRUE(test::MakeFreshArchive(plain));
    ArchiveContent back;
    EXPECT_EQ(LoadPlainArchive(plain, back), "");
    EXPECT_EQ(back.modelName, "Unknown");
    EXPECT_FALSE(QFile::exists(plain));
    EXPECT_EQ(LoadPlainArchive(Home() + "/none.db", back), "Could not open dive data file.");
}

TEST_F(DownloadArchiveTest, ThePlainImageIsTheSlotsInOrder)
{
    const QString path = Home() + "/image.dat";
    ASSERT_TRUE(SavePlainImage(path, content.image));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    ASSERT_EQ(bytes.size(), ArchivePages * PageSlotSize);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), content.image.begin(),
                           [](char a, quint8 b) { return static_cast<quint8>(a) == b; }));
}

} // namespace
} // namespace kvl::device
