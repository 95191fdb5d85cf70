// The settings file is parsed once and kept while it stays the same; every change to it is still seen.
#include "platform/profile/profile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace qv {
namespace {

void putFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QString read(const QString& key, const QString& path)
{
    return GetPrivateProfileStringA("S", key, "<none>", 256, path);
}

TEST(ProfileCache, AFileIsParsedOnceWhileItStaysTheSame)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("QV-Config.INI");
    QByteArray text = "[S]\r\n";
    for (int i = 0; i < 200; ++i)
        text += "k" + QByteArray::number(i) + "=v" + QByteArray::number(i) + "\r\n";
    putFile(path, text);

    const qint64 start = profileFileReads();
    for (int i = 0; i < 200; ++i)
        EXPECT_EQ(read(QStringLiteral("k%1").arg(i), path), QStringLiteral("v%1").arg(i));
    EXPECT_EQ(profileFileReads() - start, 1);

    // The program's own writes keep what it holds current.
    EXPECT_NE(WritePrivateProfileStringA("S", QString("k1"), QString("w1"), path), 0);
    EXPECT_NE(WritePrivateProfileStringA("S", QString("k2"), QString("w2"), path), 0);
    EXPECT_EQ(read("k1", path), "w1");
    EXPECT_EQ(read("k2", path), "w2");
    EXPECT_EQ(profileFileReads() - start, 1);

    // Another program's change is seen at the next read, also one of the same size made at once.
    text.replace("k1=v1\r\n", "k1=x1\r\n");
    putFile(path, text);
    EXPECT_EQ(read("k1", path), "x1");
    EXPECT_EQ(read("k2", path), "v2");
    QFile::remove(path);
    EXPECT_EQ(read("k1", path), "<none>");
    putFile(path, "[S]\r\nk1=back\r\n");
    EXPECT_EQ(read("k1", path), "back");
}

} // namespace
} // namespace qv
