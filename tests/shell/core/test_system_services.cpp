#include "shell/core/SystemServices.h"
#include "tests/support/KvlTest.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kvl {
namespace {

TEST(GetWindowsVersion, NeverAnswersAWindowsFamily)
{
    EXPECT_EQ(GetWindowsVersion(), QString("Linux"));
}

class RegSettingTest : public test::KvlTest {};

const QString KvlKey = QStringLiteral("SOFTWARE\\Tarvik\\KVL\\");

TEST_F(RegSettingTest, SavedTextReadsBackWithoutNul)
{
    EXPECT_EQ(GetRegSetting(HKEY_CURRENT_USER, KvlKey, "LastModel"), QString("Not Found"));
    SaveRegSetting(HKEY_CURRENT_USER, KvlKey, "LastModel", REG_SZ, QString("QX07"));
    EXPECT_EQ(GetRegSetting(HKEY_CURRENT_USER, KvlKey, "LastModel"), QString("QX07"));
    // The same key named without its trailing backslash.
    EXPECT_EQ(GetRegSetting(HKEY_CURRENT_USER, "SOFTWARE\\Tarvik\\KVL", "LastModel"), QString("QX07"));
    EXPECT_EQ(GetRegSetting(HKEY_CURRENT_USER, KvlKey, "LastModelData"), QString("Not Found"));
    EXPECT_EQ(GetRegSetting(HKEY_CURRENT_USER, "SOFTWARE\\Tarvik\\Velk\\", "LastModel"), QString("Not Found"));
}

TEST_F(RegSettingTest, LongTextsReadBackWhole)
{
    const QString path = "/home/diver/" + QString(3000, u'x') + ".dlg";
    SaveRegSetting(HKEY_CURRENT_USER, KvlKey, "LastDiveLog", REG_SZ, path);
    EXPECT_EQ(GetRegSetting(HKEY_CURRENT_USER, KvlKey, "LastDiveLog"), path);
}

TEST_F(RegSettingTest, SaveCreatesTheWholePath)
{
    SaveRegSetting(HKEY_CURRENT_USER, "SOFTWARE\\Tarvik\\Velk\\", "LastModelData", REG_SZ, QString("QX07"));
    HKEY key = 0;
    ASSERT_EQ(RegOpenKey(HKEY_CURRENT_USER, "SOFTWARE\\Tarvik", &key), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(GetRegSetting(HKEY_CURRENT_USER, "SOFTWARE\\Tarvik\\Velk", "LastModelData"), QString("QX07"));
}

TEST_F(RegSettingTest, NumbersAreSavedAsNumbers)
{
    SaveRegSetting(HKEY_CURRENT_USER, KvlKey, "Count", REG_DWORD, 2.5);
    HKEY key = 0;
    ASSERT_EQ(RegOpenKey(HKEY_CURRENT_USER, KvlKey, &key), ERROR_SUCCESS);
    QVariant value;
    EXPECT_EQ(RegQueryString(key, "Count", value), ERROR_SUCCESS);
    EXPECT_EQ(value, QVariant(qint32(2)));
    RegCloseKey(key);
}

TEST_F(RegSettingTest, RegQueryStringGivesStatusAndTextWithoutNul)
{
    SaveRegSetting(HKEY_CURRENT_USER, "HARDWARE\\Ports", "PortName", REG_SZ, QString("ttyUSB0"));
    HKEY key = 0;
    ASSERT_EQ(RegOpenKey(HKEY_CURRENT_USER, "HARDWARE\\Ports", &key), ERROR_SUCCESS);
    QVariant value("before");
    EXPECT_EQ(RegQueryString(key, "Missing", value), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(value, QVariant("before"));
    EXPECT_EQ(RegQueryString(key, "PortName", value), ERROR_SUCCESS);
    EXPECT_EQ(value, QVariant(QString("ttyUSB0")));
    RegCloseKey(key);
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
