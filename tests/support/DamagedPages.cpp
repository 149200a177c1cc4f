#include "tests/support/DamagedPages.h"

#include "platform/db/Db.h"

#include <QFile>

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

void DamageRootPage(const QString& path, const QString& name, PageDamage damage)
{
    qint64 root = 0;
    qint64 pageSize = 0;
    {
        auto log = db::Database::Open(path);
        root = log->Scalar("Select rootpage from sqlite_schema where name = ?", {name}).ToLong();
        pageSize = log->Scalar("PRAGMA page_size").ToLong();
    }
    ASSERT_GT(root, 0) << qPrintable(name);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.seek((root - 1) * pageSize));
    ASSERT_EQ(file.write(PageBytes(pageSize, damage)), pageSize);
}

} // namespace kvl::test
