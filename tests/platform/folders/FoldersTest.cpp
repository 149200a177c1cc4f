#include "platform/folders/Folders.h"
#include "tests/support/KvlTest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/file.h>

namespace kvl {
namespace {

const QStringList kShareFiles = {"Tpls/Dlg.tpl", "Tpls/dat.tpl", "Logs/Sample Diver.dlg", "KVL.html"};

void WriteFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << qPrintable(path);
    file.write(content);
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A share folder holding each file with its own name as its content.
class LayOutTest : public test::KvlTest {
protected:
    void SetUp() override
    {
        KvlTest::SetUp();
        ASSERT_TRUE(share_.isValid());
        for (const QString& name : kShareFiles)
            WriteFile(share_.filePath(name), "share:" + name.toUtf8());
    }

    QString At(const QString& name) const { return QDir(Home()).filePath(name); }

    // Names in the program folder, relative to it, sorted.
    QStringList Contents() const
    {
        QStringList names;
        for (const QFileInfo& info : QDir(Home()).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
            names << info.fileName();
        for (const char* folder : {"Logs", "Backup", "Tpls", "data"})
            for (const QString& name : QDir(At(folder)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
                names << QString(folder) + "/" + name;
        names.sort();
        return names;
    }

    QTemporaryDir share_;
    test::ScopedEnv shareEnv_{"KVL_SHARE_DIR", share_.path().toLocal8Bit()};
};

TEST_F(LayOutTest, MakesTheFoldersAndCopiesTheShareFiles)
{
    ASSERT_EQ(LayOutProgramFolder(), "");
    EXPECT_EQ(Contents(), QStringList({"Backup", "KVL.html", "Logs", "Logs/Sample Diver.dlg", "Tpls",
                                       "Tpls/Dlg.tpl", "Tpls/dat.tpl", "data"}));
    for (const QString& name : kShareFiles)
        EXPECT_EQ(ReadFile(At(name)), "share:" + name.toUtf8()) << qPrintable(name);
}

TEST_F(LayOutTest, NeverReplacesAUsersFile)
{
    WriteFile(At("Logs/Sample Diver.dlg"), "my dives");
    WriteFile(At("KVL.html"), "my notes");
    ASSERT_EQ(LayOutProgramFolder(), "");
    EXPECT_EQ(ReadFile(At("Logs/Sample Diver.dlg")), "my dives");
    EXPECT_EQ(ReadFile(At("KVL.html")), "my notes");
    EXPECT_EQ(ReadFile(At("Tpls/Dlg.tpl")), "share:Tpls/Dlg.tpl");
}

TEST_F(LayOutTest, RunningAgainChangesNothing)
{
    ASSERT_EQ(LayOutProgramFolder(), "");
    const QStringList first = Contents();
    WriteFile(share_.filePath("Tpls/Dlg.tpl"), "a newer template");
    ASSERT_EQ(LayOutProgramFolder(), "");
    EXPECT_EQ(Contents(), first);  // no temporary files left behind either
    EXPECT_EQ(ReadFile(At("Tpls/Dlg.tpl")), "share:Tpls/Dlg.tpl");
}

// A copy cut short (the program killed) leaves its temporary file; the next copy of that
// file removes it, but not the file of a copy still writing, nor a file of another name.
TEST_F(LayOutTest, RemovesTheTemporaryFileOfACopyThatEnded)
{
    const QString ended = At("Tpls/.Dlg.tpl.kvl-4242-abcdef"), writing = At("Tpls/.Dlg.tpl.kvl-4243-abcdef");
    const QString foreign = At("Tpls/.kvl-copy-AbCdEf");
    for (const QString& path : {ended, writing, foreign})
        WriteFile(path, "part");
    QFile live(writing);
    ASSERT_TRUE(live.open(QIODevice::ReadOnly));
    ASSERT_EQ(flock(live.handle(), LOCK_EX | LOCK_NB), 0);
    ASSERT_EQ(LayOutProgramFolder(), "");
    EXPECT_FALSE(QFileInfo::exists(ended));
    EXPECT_TRUE(QFileInfo::exists(writing));
    EXPECT_TRUE(QFileInfo::exists(foreign));
    EXPECT_EQ(ReadFile(At("Tpls/Dlg.tpl")), "share:Tpls/Dlg.tpl");
}

TEST_F(LayOutTest, SkipsFilesTheShareFolderLacks)
{
    QFile::remove(share_.filePath("KVL.html"));
    ASSERT_EQ(LayOutProgramFolder(), "");
    EXPECT_FALSE(QFileInfo::exists(At("KVL.html")));
    EXPECT_TRUE(QFileInfo::exists(At("Tpls/dat.tpl")));
}

TEST_F(LayOutTest, SaysWhichFolderCouldNotBeMade)
{
    WriteFile(At("Backup"), "a file where the folder belongs");
    const QString error = LayOutProgramFolder();
    EXPECT_TRUE(error.startsWith("Could not make the folder")) << qPrintable(error);
    EXPECT_TRUE(error.contains(At("Backup"))) << qPrintable(error);
}

TEST_F(LayOutTest, ProgramFolderFollowsKvlHome)
{
    EXPECT_EQ(ProgramFolder(), Home());
    test::ScopedEnv other("KVL_HOME", "/somewhere/else");
    EXPECT_EQ(ProgramFolder(), "/somewhere/else");
}

TEST_F(LayOutTest, ShareFolderFollowsKvlShareDir)
{
    EXPECT_EQ(ShareFolder(), share_.path());
}

} // namespace
} // namespace kvl
