// The limits and checks of the archive reader, on archives made with lying headers.
#include "CraftedZip.h"
#include "ZipReader.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

ZipStatus readEvery(const QString &path, const ZipLimits &limits)
{
    ZipReader zip(path, limits);
    if (zip.status() != ZipStatus::Ok) return zip.status();
    for (const QString &name : zip.names()) {
        const ZipStatus status = zip.verify(name);
        if (status != ZipStatus::Ok) return status;
    }
    return ZipStatus::Ok;
}

} // namespace

// Each limit holds at its value and refuses one byte or entry more, whatever the
// headers declare.
TEST(ZipReader, LimitsHoldAtTheirValues)
{
    QTemporaryDir dir;
    ASSERT_EQ(crafted::make(dir.path(), QStringLiteral(R"(
import os
out = sys.argv[1]
make(os.path.join(out, 'three.zip'), [dict(name='a', data='x' * 100), dict(name='b', data='y' * 100), dict(name='c', data='z' * 50)])
make(os.path.join(out, 'stored.zip'), [dict(name='a', data='x' * 100, method=0)])
make(os.path.join(out, 'lies-low.zip'), [dict(name='a', data='x' * 100, size=10)])
make(os.path.join(out, 'lies-low-stored.zip'), [dict(name='a', data='x' * 100, size=10, method=0)])
make(os.path.join(out, 'crc.zip'), [dict(name='a', data='x' * 100, crc=1, method=0)])
make(os.path.join(out, 'name1023.zip'), [dict(name='n' * 1023, data='x')])
make(os.path.join(out, 'name1024.zip'), [dict(name='n' * 1024, data='x')])
)")), "");
    const auto at = [&](const char *name) { return dir.path() + u'/' + QString::fromLatin1(name); };
    const struct { const char *what, *file; ZipLimits limits; ZipStatus expected; } rows[] = {
        {"entries at the limit", "three.zip", {3, 1000, 1000}, ZipStatus::Ok},
        {"one entry over", "three.zip", {2, 1000, 1000}, ZipStatus::TooLarge},
        {"an entry at the limit", "three.zip", {10, 100, 1000}, ZipStatus::Ok},
        {"an entry one byte over", "three.zip", {10, 99, 1000}, ZipStatus::TooLarge},
        {"a stored entry one byte over", "stored.zip", {10, 99, 1000}, ZipStatus::TooLarge},
        {"all at the limit", "three.zip", {10, 1000, 250}, ZipStatus::Ok},
        {"all one byte over", "three.zip", {10, 1000, 249}, ZipStatus::TooLarge},
        {"a size declared too low", "lies-low.zip", {}, ZipStatus::Damaged},
        {"a stored size declared too low", "lies-low-stored.zip", {}, ZipStatus::Damaged},
        {"a stored entry with a wrong CRC", "crc.zip", {}, ZipStatus::Damaged},
        {"a name of 1,023 bytes", "name1023.zip", {}, ZipStatus::Ok},
        {"a name of 1,024 bytes", "name1024.zip", {}, ZipStatus::Damaged},
        {"no file", "none.zip", {}, ZipStatus::Missing},
    };
    for (const auto &r : rows) EXPECT_EQ(int(readEvery(at(r.file), r.limits)), int(r.expected)) << r.what;
}

TEST(ZipReader, EntriesReadWholeInSmallBlocks)
{
    QTemporaryDir dir;
    ASSERT_EQ(crafted::make(dir.path(), QStringLiteral(R"(
import os
make(os.path.join(sys.argv[1], 'one.zip'), [dict(name='dir\\a.txt', data='hello ' * 20000)])
)")), "");
    ZipReader zip(dir.path() + "/one.zip");
    ASSERT_EQ(zip.names(), QStringList({"dir/a.txt"}));
    EXPECT_TRUE(zip.contains("dir/a.txt"));
    EXPECT_EQ(zip.entry("missing"), nullptr);
    std::unique_ptr<ZipEntryReader> entry = zip.entry("dir/a.txt");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->declaredSize(), 120000);
    QByteArray bytes;
    char block[7];
    for (qint64 n; (n = entry->read(block, sizeof block)) > 0;) bytes.append(block, n);
    EXPECT_EQ(bytes, QByteArray("hello ").repeated(20000));
    EXPECT_EQ(int(entry->status()), int(ZipStatus::Ok));
    EXPECT_EQ(entry->read(block, sizeof block), 0);
    entry.reset();
    QByteArray whole;
    EXPECT_EQ(int(zip.readAll("dir/a.txt", whole)), int(ZipStatus::Ok));
    EXPECT_EQ(whole, QByteArray("hello ").repeated(20000));
}
