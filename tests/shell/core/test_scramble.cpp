#include "platform/runtime/Runtime.h"
#include "shell/core/Scramble.h"
#include "shell/core/SystemServices.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace kvl {
namespace {

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int v : values)
        bytes += char(v);
    return bytes;
}

const QByteArray KeyMask = Bytes({0x2B, 0x4B, 0xB5, 0x06, 0x96, 0xD4, 0xFE, 0xBF,
                                  0xEF, 0x7B, 0x32, 0xEA, 0x60, 0x93, 0xE9, 0x09});

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray RandomBytes(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator rng(size);
    for (char& b : bytes)
        b = char(rng.bounded(256));
    return bytes;
}

// The file scrambled block by block, each block through ScrambleText.
QByteArray ScrambledPerBlock(const QByteArray& plain)
{
    QByteArray out;
    for (qsizetype i = 0; i < plain.size(); i += ScrambleBlockSize)
        out += ScrambleText(plain.mid(i, ScrambleBlockSize), ScrambleKey);
    return out;
}

TEST(ScrambleText, KeyGivesTheKnownMask)
{
    EXPECT_EQ(ScrambleText(QByteArray(16, '\0'), ScrambleKey).toHex(' '), KeyMask.toHex(' '));
    const QByteArray sqliteHeader("SQLite format 3", 16); // with its NUL
    EXPECT_EQ(ScrambleText(sqliteHeader, ScrambleKey).toHex(' '),
              QByteArray("78 1a f9 6f e2 b1 de d9 80 09 5f 8b 14 b3 da 09"));
    // Shorter texts take the first mask values.
    EXPECT_EQ(ScrambleText(QByteArray(3, '\0'), ScrambleKey), KeyMask.left(3));
}

TEST(ScrambleFile, MatchesThePerBlockPassAndRestoresItsSource)
{
    QTemporaryDir dir;
    const QString plain = dir.filePath("plain"), scrambled = dir.filePath("scrambled"),
                  back = dir.filePath("back");
    // Sizes around the block and around the 1 MiB read buffer.
    for (qsizetype size : {0, 1, 15, 16, 17, 33, (1 << 20) + 37}) {
        SCOPED_TRACE(size);
        const QByteArray bytes = RandomBytes(size);
        WriteAll(plain, bytes);
        ASSERT_EQ(ScrambleFile(plain, scrambled, ScrambleKey), 1);
        const QByteArray out = ReadAll(scrambled);
        EXPECT_TRUE(out == ScrambledPerBlock(bytes));
        ASSERT_EQ(ScrambleFile(scrambled, back, ScrambleKey), 1);
        EXPECT_TRUE(ReadAll(back) == bytes);
    }
}

TEST(ScrambleFile, LastByteOfSeventeenTakesTheFirstMaskValue)
{
    QTemporaryDir dir;
    WriteAll(dir.filePath("in"), QByteArray(17, '\x55'));
    ASSERT_EQ(ScrambleFile(dir.filePath("in"), dir.filePath("out"), ScrambleKey), 1);
    const QByteArray out = ReadAll(dir.filePath("out"));
    ASSERT_EQ(out.size(), 17);
    EXPECT_EQ(out[16], char(0x55 ^ 0x2B));
    EXPECT_EQ(out[15], char(0x55 ^ 0x09));
}

TEST(ScrambleFile, LeavesTheGeneratorAsTheLastBlockLeavesIt)
{
    QTemporaryDir dir;
    WriteAll(dir.filePath("in"), QByteArray(35, 'x'));
    ASSERT_EQ(ScrambleFile(dir.filePath("in"), dir.filePath("out"), ScrambleKey), 1);
    const quint32 afterFile = Runtime::Rng().Seed();
    Runtime::Rng().Rnd(-7);
    ScrambleText("abc", ScrambleKey); // a last block of 35 % 16 = 3 bytes
    EXPECT_EQ(Runtime::Rng().Seed(), afterFile);
}

TEST(ScrambleFile, ReplacesALongerTargetWithoutAStaleTail)
{
    QTemporaryDir dir;
    WriteAll(dir.filePath("in"), "short");
    WriteAll(dir.filePath("out"), QByteArray(100, 'o'));
    ASSERT_EQ(ScrambleFile(dir.filePath("in"), dir.filePath("out"), ScrambleKey), 1);
    EXPECT_EQ(ReadAll(dir.filePath("out")), ScrambleText("short", ScrambleKey));
}

TEST(ScrambleFile, MissingSourceGivesZeroNoTargetAndNormalPriority)
{
    QTemporaryDir dir;
    SetProcessPriority(0, 0, HIGH_PRIORITY_CLASS);
    EXPECT_EQ(ScrambleFile(dir.filePath("missing"), dir.filePath("out"), ScrambleKey), 0);
    EXPECT_FALSE(QFile::exists(dir.filePath("out")));
    EXPECT_EQ(SetProcessPriority(0, 0, 0), NORMAL_PRIORITY_CLASS); // no class given: reports the one in force
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

TEST(ScrambleFile, UnwritableTargetGivesZero)
{
    QTemporaryDir dir;
    WriteAll(dir.filePath("in"), "data");
    EXPECT_EQ(ScrambleFile(dir.filePath("in"), dir.filePath("no/such/folder/out"), ScrambleKey), 0);
}

// A write that fails after the first megabyte (file size limit) must not touch the
// existing target nor leave the temporary file behind.
TEST(ScrambleFile, FailureMidwayLeavesTheTargetUntouched)
{
    QTemporaryDir dir;
    WriteAll(dir.filePath("in"), RandomBytes(3 << 20));
    WriteAll(dir.filePath("out"), "previous log");

    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit limited = saved;
    limited.rlim_cur = (3 << 19);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const int result = ScrambleFile(dir.filePath("in"), dir.filePath("out"), ScrambleKey);
    setrlimit(RLIMIT_FSIZE, &saved);

    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadAll(dir.filePath("out")), QByteArray("previous log"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), QStringList({"in", "out"}));
}

TEST(TextBeforeLast, GivesTheFolderPartOfAPath)
{
    struct Case { const char* text; const char* separator; int compareMode, flag; const char* result; };
    const Case cases[] = {
        {"C:\\A\\B.dat", "\\", 1, 0, "C:\\A"},
        {"B.dat", "\\", 1, 0, "B.dat"},
        {"B.dat", "\\", 1, 1, ""},
        {"C:\\A\\B.dat", "\\", 1, 1, "C:\\A"},
        {"aXbxc", "x", 1, 0, "aXb"},
        {"aXbxc", "X", 0, 0, "a"},
        {"abc", "X", 0, 0, "abc"},
        {"\\B.dat", "\\", 1, 0, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextBeforeLast(c.text, c.separator, c.compareMode, c.flag), QString(c.result)) << c.text;
}

} // namespace
} // namespace kvl
