#include "platform/TBitmapFile.h"
#include "common/TestSupport.h"
#include <QBuffer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray Bitmap(int width, int height, QImage::Format format, QRgb colour)
{
    QImage image(width, height, format);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

// Leaves freed heap blocks full of one byte, so rows a decoder forgets to write show it.
void DirtyTheHeap(char fill)
{
    std::vector<QByteArray> blocks;
    for (int i = 0; i < 64; ++i)
        blocks.emplace_back(4096, fill);
}

} // namespace

TEST(TBitmapFileTest, ATruncatedBitmapShowsItsMissingRowsBlackEveryTime)
{
    QTemporaryDir tmp;
    // Rows are stored bottom-up: the first half of the file holds the bottom rows.
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_RGB888}) {
        SCOPED_TRACE(int(format));
        const QByteArray whole = Bitmap(40, 30, format, qRgb(200, 40, 90));
        const QString file = tmp.filePath("half.bmp");
        WriteTestFile(file, whole.left(whole.size() / 2));
        QImage first, second;
        DirtyTheHeap('\x55');
        ASSERT_TRUE(TBitmapFile::Load(file, &first));
        DirtyTheHeap('\x33');
        ASSERT_TRUE(TBitmapFile::Load(file, &second));
        EXPECT_EQ(first.size(), QSize(40, 30));
        EXPECT_EQ(first, second);
        EXPECT_EQ(first.pixel(5, 29), qRgb(200, 40, 90));
        EXPECT_EQ(first.pixel(5, 0), qRgb(0, 0, 0));
        EXPECT_EQ(first.pixel(39, 3), qRgb(0, 0, 0));
    }
}

TEST(TBitmapFileTest, WholeBitmapsLoadAndRefusedOnesLeaveTheTargetAlone)
{
    QTemporaryDir tmp;
    WriteTestFile(tmp.filePath("Whole.BMP"), Bitmap(7, 5, QImage::Format_RGB32, qRgb(1, 2, 3)));
    QImage image;
    ASSERT_TRUE(TBitmapFile::Load(tmp.filePath("whole.bmp"), &image));
    EXPECT_EQ(image.size(), QSize(7, 5));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(image.pixel(6, 4), qRgb(1, 2, 3));

    // A header that promises a picture larger than any the reader accepts.
    QByteArray giant = Bitmap(7, 5, QImage::Format_RGB32, qRgb(1, 2, 3)).left(54);
    for (int at : {18, 22}) {
        giant[at] = '\xff';
        giant[at + 1] = '\xff';
        giant[at + 2] = '\xff';
        giant[at + 3] = '\x3f';
    }
    WriteTestFile(tmp.filePath("giant.bmp"), giant + QByteArray(64, '\x7f'));
    WriteTestFile(tmp.filePath("text.bmp"), "no picture");
    for (const char* name : {"giant.bmp", "text.bmp", "missing.bmp"}) {
        QImage kept(3, 3, QImage::Format_RGB32);
        kept.fill(Qt::red);
        EXPECT_FALSE(TBitmapFile::Load(tmp.filePath(name), &kept)) << name;
        EXPECT_EQ(kept.pixel(1, 1), QColor(Qt::red).rgb()) << name;
    }
}
