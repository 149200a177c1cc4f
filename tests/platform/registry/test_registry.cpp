#include "platform/registry/Registry.h"
#include "tests/support/KvlTest.h"
#include "tests/support/ScopedEnv.h"

#include <QFile>

namespace kvl {
namespace {

class RegistryTest : public test::KvlTest {};

TEST_F(RegistryTest, FileFollowsKvlHome)
{
    EXPECT_EQ(RegistryFile(), Home() + "/registry.ini");
}

TEST_F(RegistryTest, TextAndNumberValuesRoundTrip)
{
    HKEY key = 0;
    ASSERT_EQ(RegCreateKey(HKEY_CURRENT_USER, "SOFTWARE\\Tarvik\\KVL\\", &key), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueEx(key, "LastModel", REG_SZ, QString("QX07")), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueEx(key, "Path", REG_SZ, QString("C:\\Logs\\O'Neil = diver; [1].dlg")), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueEx(key, "Count", REG_DWORD, -5), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);

    // Another spelling of the same key, read back from the file.
    ASSERT_EQ(RegOpenKey(HKEY_CURRENT_USER, "software\\TARVIK\\kvl", &key), ERROR_SUCCESS);
    qint32 type = 0;
    QVariant value;
    EXPECT_EQ(RegQueryValueEx(key, "lastmodel", &type, &value), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(value, QVariant(QString("QX07")));
    EXPECT_EQ(RegQueryValueEx(key, "Path", &type, &value), ERROR_SUCCESS);
    EXPECT_EQ(value.toString(), QString("C:\\Logs\\O'Neil = diver; [1].dlg"));
    EXPECT_EQ(RegQueryValueEx(key, "Count", &type, &value), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(value, QVariant(qint32(-5)));
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    QFile file(RegistryFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("LastModel=sz:QX07"));
}

TEST_F(RegistryTest, MissingKeysAndValuesAreNotFound)
{
    HKEY key = 0;
    EXPECT_EQ(RegOpenKey(HKEY_CURRENT_USER, "SOFTWARE\\Nobody", &key), ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(RegCreateKey(HKEY_CURRENT_USER, "SOFTWARE\\Tarvik\\Velk", &key), ERROR_SUCCESS);
    qint32 type = 0;
    QVariant value("unchanged");
    EXPECT_EQ(RegQueryValueEx(key, "LastModel", &type, &value), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(value, QVariant("unchanged"));
    // The marker that keeps an empty key is no value.
    EXPECT_EQ(RegQueryValueEx(key, "@", &type, &value), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
    // A key of the other root is another key.
    EXPECT_EQ(RegOpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Tarvik\\Velk", &key), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, CreateMakesTheWholePathAndEmptyKeysExist)
{
    HKEY key = 0;
    ASSERT_EQ(RegCreateKey(HKEY_CURRENT_USER, "A\\B\\C", &key), ERROR_SUCCESS);
    RegCloseKey(key);
    for (const char* path : {"A", "A\\B", "a\\b\\c\\", ""}) {
        EXPECT_EQ(RegOpenKey(HKEY_CURRENT_USER, path, &key), ERROR_SUCCESS) << path;
        RegCloseKey(key);
    }
    EXPECT_EQ(RegOpenKey(HKEY_CURRENT_USER, "A\\B\\C\\D", &key), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, SubkeysOpenBelowAnOpenKey)
{
    HKEY parent = 0, child = 0;
    ASSERT_EQ(RegCreateKey(HKEY_CURRENT_USER, "SOFTWARE", &parent), ERROR_SUCCESS);
    ASSERT_EQ(RegCreateKey(parent, "Tarvik\\KVL", &child), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueEx(child, "LastDiveLog", REG_SZ, QString("x.dlg")), ERROR_SUCCESS);
    RegCloseKey(child);
    ASSERT_EQ(RegOpenKey(HKEY_CURRENT_USER, "SOFTWARE\\Tarvik\\KVL", &child), ERROR_SUCCESS);
    qint32 type = 0;
    QVariant value;
    EXPECT_EQ(RegQueryValueEx(child, "LastDiveLog", &type, &value), ERROR_SUCCESS);
    EXPECT_EQ(value.toString(), QString("x.dlg"));
    RegCloseKey(child);
    RegCloseKey(parent);
}

TEST_F(RegistryTest, ClosedAndUnknownHandlesAreRefused)
{
    HKEY key = 0;
    ASSERT_EQ(RegCreateKey(HKEY_CURRENT_USER, "K", &key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegSetValueEx(key, "V", REG_SZ, QString("x")), ERROR_INVALID_HANDLE);
    qint32 type = 0;
    EXPECT_EQ(RegQueryValueEx(key, "V", &type, nullptr), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegOpenKey(key, "", &key), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryTest, MissingFolderIsCreatedOnWrite)
{
    test::ScopedEnv home("KVL_HOME", (Home() + "/not/yet").toLocal8Bit());
    HKEY key = 0;
    ASSERT_EQ(RegCreateKey(HKEY_CURRENT_USER, "K", &key), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueEx(key, "V", REG_SZ, QString("x")), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_TRUE(QFile::exists(Home() + "/not/yet/registry.ini"));
}

} // namespace
} // namespace kvl
