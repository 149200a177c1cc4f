#include "tests/support/DamagedPages.h"

#include "platform/db/Db.h"

#include <QFile>
#include <QtEndian>

#include <sqlite3.h>

#include <gtest/gtest.h>

namespace kvl::test {

namespace {

QByteArray PageBytes(qint64 size, PageDamage damage)
{
    switch (damage) {
    case PageDamage::Zeros:
        return QByteArray(size, '\0');
    case PageDamage::Pattern:
        return QByteArray(size, '\x5a');
    case PageDamage::RandomBytes:
        break;
    }
    QByteArray noise(size, Qt::Uninitialized);
    quint32 seed = 36;
    for (char& c : noise)
        c = char((seed = seed * 1103515245u + 12345u) >> 16);
    return noise;
}

} // namespace

namespace {

struct Pages {
    qint64 root = 0;
    qint64 size = 0;
};

Pages PagesOf(const QString& path, const QString& name)
{
    auto log = db::Database::Open(path);
    return {log->Scalar("Select rootpage from sqlite_schema where name = ?", {name}).ToLong(),
            log->Scalar("PRAGMA page_size").ToLong()};
}

constexpr qint64 kFirstTrunkOffset = 32;     // in the file header
constexpr qint64 kLeafCountOffset = 4;       // in a trunk page
constexpr qint64 kFirstLeafOffset = 8;

quint32 ReadNumber(QFile& file, qint64 offset)
{
    file.seek(offset);
    return qFromBigEndian<quint32>(file.read(4).constData());
}

} // namespace

void FreeListNames(const QString& path, const QString& name)
{
    const Pages pages = PagesOf(path, name);
    ASSERT_GT(pages.root, 0) << qPrintable(name);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const qint64 trunk = ReadNumber(file, kFirstTrunkOffset);
    ASSERT_GT(trunk, 0) << "the log has no free pages";
    const qint64 trunkStart = (trunk - 1) * pages.size;
    ASSERT_GT(ReadNumber(file, trunkStart + kLeafCountOffset), 0u) << "the free list's trunk names no page";
    uchar number[4];
    qToBigEndian(quint32(pages.root), number);
    ASSERT_TRUE(file.seek(trunkStart + kFirstLeafOffset));
    ASSERT_EQ(file.write(reinterpret_cast<const char*>(number), 4), 4);
}

void RootAt(const QString& path, const QString& name, const QString& ownerName)
{
    auto log = db::Database::Open(path);
    sqlite3_db_config(log->Handle(), SQLITE_DBCONFIG_DEFENSIVE, 0, nullptr);
    log->Execute("PRAGMA writable_schema = ON");
    ASSERT_EQ(log->Execute("Update sqlite_schema set rootpage = (Select rootpage from sqlite_schema where name = ?) "
                           "where name = ?",
                           {ownerName, name}),
              1)
        << qPrintable(name);
}

void DamageRootPage(const QString& path, const QString& name, PageDamage damage)
{
    const Pages pages = PagesOf(path, name);
    ASSERT_GT(pages.root, 0) << qPrintable(name);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.seek((pages.root - 1) * pages.size));
    ASSERT_EQ(file.write(PageBytes(pages.size, damage)), pages.size);
}

} // namespace kvl::test
