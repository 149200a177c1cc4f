#include "platform/folders/Folders.h"
#include "platform/folders/OwnTemporaryFile.h"
#include "platform/folders/VerifiedFile.h"
#include "tests/support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kvl {
namespace {

QByteArray Pattern(qint64 size, char seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (qint64 i = 0; i < size; ++i)
        bytes[i] = char(seed + i % 97);
    return bytes;
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// Each case runs on both roads: with the file system's unnamed temporary files, and as
// where there are none (FUSE, FAT, network shares), with temporary files of our own name.
class VerifiedFileTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        internal::RefuseUnnamedTemporaryFiles(GetParam());
        ASSERT_TRUE(dir.isValid());
        WriteFile(Target(), old);
    }
    void TearDown() override { internal::RefuseUnnamedTemporaryFiles(false); }
    QString Target() const { return dir.filePath("target.dlg"); }
    // Only the target: no temporary file left beside it.
    QStringList Files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir dir;
    const QByteArray old = Pattern(200 * 1024, 'a');
    const QByteArray next = Pattern(300 * 1024, 'A');
};

// Small writes stay in the file's buffer until the end, where the last one fails on a
// disk that is full: the old file must stay, and the failure be reported.
TEST_P(VerifiedFileTest, ALastBufferedWriteThatFailsKeepsTheOldFile)
{
    for (const qint64 piece : {qint64(100), qint64(300 * 1024)}) {
        SCOPED_TRACE(piece);
        const int result = test::RunWithFileSizeLimit(next.size() - 10, [&] {
            VerifiedFile file(Target());
            if (!file.Open())
                return 2;
            for (qint64 at = 0; at < next.size(); at += piece)
                file.Write(next.mid(at, piece));
            return file.Commit() ? 0 : 1;
        });
        EXPECT_EQ(result, 1);
        EXPECT_EQ(ReadFile(Target()), old);
        EXPECT_EQ(Files(), QStringList{"target.dlg"});
    }
}

TEST_P(VerifiedFileTest, AWholeWriteReplacesTheTarget)
{
    VerifiedFile file(Target());
    ASSERT_TRUE(file.Open());
    EXPECT_TRUE(file.Write(next.left(1000)));
    EXPECT_TRUE(file.Write(next.mid(1000)));
    EXPECT_EQ(ReadFile(Target()), old);   // nothing changes before the commit
    EXPECT_TRUE(file.Commit());
    EXPECT_EQ(ReadFile(Target()), next);
    EXPECT_EQ(Files(), QStringList{"target.dlg"});
}

TEST_P(VerifiedFileTest, AFileDroppedWithoutCommitLeavesTheTarget)
{
    {
        VerifiedFile file(Target());
        ASSERT_TRUE(file.Open());
        file.Write(next);
    }
    EXPECT_EQ(ReadFile(Target()), old);
    EXPECT_EQ(Files(), QStringList{"target.dlg"});
}

// The backup, the restore and the scrambling copy all go through this copy.
TEST_P(VerifiedFileTest, ACopyWhoseLastWriteFailsKeepsTheOldFile)
{
    const QString source = dir.filePath("source.dlg");
    WriteFile(source, next);
    const int result = test::RunWithFileSizeLimit(next.size() - 10, [&] {
        return CopyFileReplacing(source, Target()) < 0 ? 1 : 0;
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(ReadFile(Target()), old);
    EXPECT_EQ(CopyFileReplacing(source, Target()), next.size());
    EXPECT_EQ(ReadFile(Target()), next);
}

TEST_P(VerifiedFileTest, AWholeWriteKeepsTheTargetsPermissions)
{
    const auto mode = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(Target(), mode));
    VerifiedFile file(Target());
    ASSERT_TRUE(file.Open());
    EXPECT_TRUE(file.Write(next));
    EXPECT_TRUE(file.Commit());
    EXPECT_EQ(QFile::permissions(Target()) & ~(QFile::ReadUser | QFile::WriteUser), mode);
}

INSTANTIATE_TEST_SUITE_P(Roads, VerifiedFileTest, ::testing::Values(false, true),
                         [](const auto& road) { return road.param ? "OwnTemporaryFile" : "Unnamed"; });

// A save's writer that ends before its commit, on a file system without unnamed temporary
// files: killed mid-write, or ended without tidying up.
enum class WriterEnd { Killed, Exited };

// Where there are no unnamed temporary files, a writer that ended leaves its temporary
// file; the next save to the target removes it, but never the file of a save still
// writing, nor a file of another name.
class LeftTemporaryFileTest : public ::testing::TestWithParam<WriterEnd> {
protected:
    void SetUp() override
    {
        internal::RefuseUnnamedTemporaryFiles(true);
        ASSERT_TRUE(dir.isValid());
        WriteFile(Target(), "old");
    }
    void TearDown() override { internal::RefuseUnnamedTemporaryFiles(false); }
    QString Target() const { return dir.filePath(targetName); }
    QStringList Files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

    // Starts a save in a child that writes part of the file and then ends as `end` says.
    // The child's process id, or -1.
    pid_t WriterThatEnds(WriterEnd end) const
    {
        int ready[2];
        if (pipe(ready) != 0)
            return -1;
        const pid_t child = fork();
        if (child == 0) {
            VerifiedFile file(Target());
            const bool started = file.Open() && file.Write(QByteArray(64 * 1024, 'n'));
            if (write(ready[1], "x", 1) != 1 || !started || end == WriterEnd::Exited)
                _exit(started ? 0 : 1);   // no destructor runs: the file stays
            pause();
            _exit(0);
        }
        char byte = 0;
        const bool told = child > 0 && read(ready[0], &byte, 1) == 1;
        close(ready[0]);
        close(ready[1]);
        if (child > 0 && end == WriterEnd::Killed)
            kill(child, SIGKILL);
        int status = 0;
        return child > 0 && waitpid(child, &status, 0) == child && told ? child : -1;
    }

    QTemporaryDir dir;
    QString targetName = QStringLiteral("target.dlg");
};

TEST_P(LeftTemporaryFileTest, TheNextSaveRemovesTheFileOfAWriterThatEnded)
{
    const pid_t writer = WriterThatEnds(GetParam());
    ASSERT_GT(writer, 0);
    const QString prefix = QStringLiteral(".target.dlg.kvl-%1-").arg(writer);
    const QStringList left = Files().filter(prefix);
    ASSERT_EQ(left.size(), 1) << qPrintable(Files().join(' '));
    EXPECT_EQ(left[0].size(), prefix.size() + 6);

    VerifiedFile live(Target());
    ASSERT_TRUE(live.Open());
    ASSERT_TRUE(live.Write("still writing"));
    const QStringList liveFile = Files().filter(QStringLiteral(".target.dlg.kvl-%1-").arg(getpid()));
    ASSERT_EQ(liveFile.size(), 1);
    for (const char* name : {".target.dlg.kvl-12-abcdef.keep", ".target.dlg.kvl-notes", ".other.dlg.kvl-12-abcdef",
                             "target.dlg.Ab12Cd"})
        WriteFile(dir.filePath(name), "not ours");
    // A link by our name is still not a file the program made.
    ASSERT_TRUE(QFile::link(dir.filePath("target.dlg.Ab12Cd"), dir.filePath(".target.dlg.kvl-12-abcdef")));
    const QStringList before = Files();

    VerifiedFile next(Target());
    ASSERT_TRUE(next.Open());
    ASSERT_TRUE(next.Write("new"));
    ASSERT_TRUE(next.Commit());
    EXPECT_EQ(ReadFile(Target()), "new");
    QStringList expected = before;
    expected.removeOne(left[0]);
    EXPECT_EQ(Files(), expected);
    live.Cancel();
    expected.removeOne(liveFile[0]);
    EXPECT_EQ(Files(), expected);
}

// A long name is cut short in the temporary file's name, never inside a character: a
// name cut through a character would be written as another one, and the next save
// would not know the file as its own.
TEST_P(LeftTemporaryFileTest, AFileOfALongNameIsRemovedToo)
{
    targetName = QStringLiteral("a");
    for (int i = 0; i < 60; ++i)
        targetName += QString::fromUcs4(U"\U0001F420");   // a fish, four bytes in UTF-8
    targetName += QStringLiteral(".dlg");
    WriteFile(Target(), "old");
    ASSERT_GT(WriterThatEnds(GetParam()), 0);
    ASSERT_EQ(Files().filter(QStringLiteral(".kvl-")).size(), 1) << qPrintable(Files().join(' '));

    VerifiedFile next(Target());
    ASSERT_TRUE(next.Open());
    ASSERT_TRUE(next.Write("new"));
    ASSERT_TRUE(next.Commit());
    EXPECT_EQ(ReadFile(Target()), "new");
    EXPECT_EQ(Files().filter(QStringLiteral(".kvl-")), QStringList{}) << "the file left is removed";
}

INSTANTIATE_TEST_SUITE_P(Ends, LeftTemporaryFileTest, ::testing::Values(WriterEnd::Killed, WriterEnd::Exited),
                         [](const auto& end) { return end.param == WriterEnd::Killed ? "Killed" : "Exited"; });

} // namespace
} // namespace kvl
