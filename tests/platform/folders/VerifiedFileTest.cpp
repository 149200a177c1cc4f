#include "platform/folders/Folders.h"
#include "platform/folders/VerifiedFile.h"
#include "tests/support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

class VerifiedFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        WriteFile(Target(), old);
    }
    QString Target() const { return dir.filePath("target.dlg"); }
    // Only the target: no temporary file left beside it.
    QStringList Files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir dir;
    const QByteArray old = Pattern(200 * 1024, 'a');
    const QByteArray next = Pattern(300 * 1024, 'A');
};

// Small writes stay in the file's buffer until the end, where the last one fails on a
// disk that is full: the old file must stay, and the failure be reported.
TEST_F(VerifiedFileTest, ALastBufferedWriteThatFailsKeepsTheOldFile)
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

TEST_F(VerifiedFileTest, AWholeWriteReplacesTheTarget)
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

TEST_F(VerifiedFileTest, AFileDroppedWithoutCommitLeavesTheTarget)
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
TEST_F(VerifiedFileTest, ACopyWhoseLastWriteFailsKeepsTheOldFile)
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

} // namespace
} // namespace kvl
