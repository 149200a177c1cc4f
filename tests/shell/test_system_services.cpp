#include "shell/SystemServices.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kvl {
namespace {

TEST(GetWindowsVersion, NeverAnswersAWindowsFamily)
{
    EXPECT_EQ(GetWindowsVersion(), QString("Linux"));
}

TEST(FileExists, TrueOnlyForAReadableFile)
{
    QTemporaryDir dir;
    QFile file(dir.filePath("log.dlg"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_TRUE(FileExists(dir.filePath("log.dlg")));
    EXPECT_FALSE(FileExists(dir.path()));
    EXPECT_FALSE(FileExists(dir.filePath("missing.dlg")));
    EXPECT_FALSE(FileExists(QString()));
}

TEST(SetProcessPriority, ReportsTheClassAskedFor)
{
    EXPECT_EQ(SetProcessPriority(0, 0, HIGH_PRIORITY_CLASS), HIGH_PRIORITY_CLASS);
    EXPECT_EQ(SetProcessPriority(0, 0, 0), HIGH_PRIORITY_CLASS); // an unknown class changes nothing
    EXPECT_EQ(SetProcessPriority(0, 0, NORMAL_PRIORITY_CLASS), NORMAL_PRIORITY_CLASS);
}

} // namespace
} // namespace kvl
