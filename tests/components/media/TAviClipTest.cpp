#include "components/media/TAviClip.h"
#include "TestAviWriter.h"
#include "common/TestSupport.h"
#include "components/media/TRle8Decoder.h"
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace TestAvi;

namespace {
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kGreen = qRgb(0, 255, 0);
const QRgb kBlue = qRgb(0, 0, 255);
const QVector<QRgb> kPalette{kBlack, kRed, kGreen, kBlue};

using TRows = std::vector<std::vector<QRgb>>;

TRows Pixels(const QImage& image)
{
    TRows rows;
    for (int y = 0; y < image.height(); ++y) {
        rows.emplace_back();
        for (int x = 0; x < image.width(); ++x)
            rows.back().push_back(image.pixel(x, y));
    }
    return rows;
}

// Indexes top row first, mapped through the test palette.
TRows Colours(const std::vector<std::vector<int>>& indexes)
{
    TRows rows;
    for (const auto& r : indexes) {
        rows.emplace_back();
        for (int i : r)
            rows.back().push_back(kPalette[i]);
    }
    return rows;
}

// A 6 x 3 run-length clip whose frames use every code: runs, absolute runs (odd ones
// padded), line ends, a delta, an empty frame and the end-of-bitmap mark.
TTestAvi RunLengthClip()
{
    TTestAvi a;
    a.Width = 6;
    a.Height = 3;
    a.Compression = 1;
    a.Handler = "mrle";
    a.Palette = kPalette;
    a.Frames = {
        Bytes({6, 1, 0, 0,                           // bottom row: six of 1
               0, 3, 2, 3, 2, 0, 3, 1, 0, 0,         // middle: 2 3 2 (padded), three of 1
               2, 3, 0, 1}),                         // top: two of 3, end of bitmap
        Bytes({0, 2, 2, 1, 2, 0, 0, 1}),             // right 2, up 1, two of 0
        QByteArray(),                                // nothing changes
        Bytes({0, 5, 3, 2, 3, 2, 3, 0, 1, 0, 0, 1}), // bottom: 3 2 3 2 3 (padded), one 0
    };
    return a;
}

const std::vector<std::vector<int>> kRle0{
    {3, 3, 0, 0, 0, 0}, {2, 3, 2, 1, 1, 1}, {1, 1, 1, 1, 1, 1}};
const std::vector<std::vector<int>> kRle1{
    {3, 3, 0, 0, 0, 0}, {2, 3, 0, 0, 1, 1}, {1, 1, 1, 1, 1, 1}};
const std::vector<std::vector<int>> kRle3{
    {3, 3, 0, 0, 0, 0}, {2, 3, 0, 0, 1, 1}, {3, 2, 3, 2, 3, 0}};

class TAviClipTest : public ::testing::Test
{
protected:
    QString Write(const QByteArray& bytes, const QString& name = QStringLiteral("clip.avi"))
    {
        const QString path = m_dir.filePath(name);
        WriteTestFile(path, bytes);
        return path;
    }

    QTemporaryDir m_dir;
    TAviClip m_clip;
};
} // namespace

TEST_F(TAviClipTest, UncompressedPaletteClipDecodesFrameByFrame)
{
    TTestAvi a;
    a.Width = 3;
    a.Height = 2;
    a.Palette = kPalette;
    a.MicroSecPerFrame = 40000;
    a.Frames = {Raw8({{1, 2, 3}, {0, 1, 2}}), Raw8({{3, 3, 3}, {2, 2, 2}})};
    ASSERT_TRUE(m_clip.Open(Write(Build(a)))) << m_clip.ErrorText().toStdString();
    EXPECT_EQ(m_clip.FrameCount(), 2);
    EXPECT_EQ(m_clip.FrameSize(), QSize(3, 2));
    EXPECT_EQ(m_clip.MicroSecPerFrame(), 40000);
    EXPECT_FALSE(m_clip.RunLengthEncoded());
    QImage frame;
    ASSERT_TRUE(m_clip.Frame(0, &frame));
    EXPECT_EQ(Pixels(frame), Colours({{1, 2, 3}, {0, 1, 2}}));
    ASSERT_TRUE(m_clip.Frame(1, &frame));
    EXPECT_EQ(Pixels(frame), Colours({{3, 3, 3}, {2, 2, 2}}));
    EXPECT_FALSE(m_clip.Frame(2, &frame));
    EXPECT_FALSE(m_clip.Frame(-1, &frame));
}

TEST_F(TAviClipTest, TrueColourClipsBottomUpAndTopDown)
{
    const QRgb grey = qRgb(10, 20, 30);
    TTestAvi a;
    a.Width = 3;
    a.Height = 2;
    a.BitCount = 24;
    a.Handler = "DIB ";
    a.WithIndex = false;
    a.Frames = {Raw24({{kRed, kGreen, kBlue}, {grey, kBlack, kRed}})};
    ASSERT_TRUE(m_clip.Open(Write(Build(a)))) << m_clip.ErrorText().toStdString();
    QImage frame;
    ASSERT_TRUE(m_clip.Frame(0, &frame));
    EXPECT_EQ(Pixels(frame), (TRows{{kRed, kGreen, kBlue}, {grey, kBlack, kRed}}));

    // A negative height stores the top row first.
    a.Height = -2;
    a.Frames = {Raw24({{grey, kBlack, kRed}, {kRed, kGreen, kBlue}})};
    ASSERT_TRUE(m_clip.Open(Write(Build(a), QStringLiteral("topdown.avi"))));
    ASSERT_TRUE(m_clip.Frame(0, &frame));
    EXPECT_EQ(Pixels(frame), (TRows{{kRed, kGreen, kBlue}, {grey, kBlack, kRed}}));
}

TEST_F(TAviClipTest, RunLengthClipBuildsEachFrameOnThePreviousOne)
{
    ASSERT_TRUE(m_clip.Open(Write(Build(RunLengthClip())))) << m_clip.ErrorText().toStdString();
    EXPECT_TRUE(m_clip.RunLengthEncoded());
    ASSERT_EQ(m_clip.FrameCount(), 4);
    QImage frame;
    ASSERT_TRUE(m_clip.Frame(0, &frame));
    EXPECT_EQ(Pixels(frame), Colours(kRle0));
    ASSERT_TRUE(m_clip.Frame(1, &frame));
    EXPECT_EQ(Pixels(frame), Colours(kRle1));
    ASSERT_TRUE(m_clip.Frame(2, &frame));
    EXPECT_EQ(Pixels(frame), Colours(kRle1));
    ASSERT_TRUE(m_clip.Frame(3, &frame));
    EXPECT_EQ(Pixels(frame), Colours(kRle3));
    // Going back decodes from the start again; jumping ahead decodes the frames between.
    ASSERT_TRUE(m_clip.Frame(0, &frame));
    EXPECT_EQ(Pixels(frame), Colours(kRle0));
    ASSERT_TRUE(m_clip.Frame(3, &frame));
    EXPECT_EQ(Pixels(frame), Colours(kRle3));
}

TEST_F(TAviClipTest, ClipsThisControlCannotPlayAreRefused)
{
    TTestAvi good;
    good.Width = 2;
    good.Height = 2;
    good.Palette = kPalette;
    good.Frames = {Raw8({{1, 2}, {3, 0}})};
    ASSERT_TRUE(m_clip.Open(Write(Build(good), QStringLiteral("good.avi"))));

    std::vector<std::pair<const char*, TTestAvi>> refused;
    TTestAvi a = good;
    a.WithSound = true;
    refused.push_back({"sound track", a});
    a = good;
    a.Handler = "cvid";
    refused.push_back({"other codec", a});
    a = good;
    a.Compression = 2; // RLE4
    refused.push_back({"RLE4", a});
    a = good;
    a.Compression = 0x47504A4D; // MJPG
    refused.push_back({"MJPG", a});
    a = good;
    a.BitCount = 16;
    refused.push_back({"16-bit", a});
    a = good;
    a.Width = 100000;
    refused.push_back({"huge width", a});
    a = good;
    a.Height = 5000;
    refused.push_back({"huge height", a});
    a = good;
    a.Width = 0;
    refused.push_back({"no width", a});
    a = good;
    a.Frames.clear();
    refused.push_back({"no frames", a});
    a = good;
    a.Frames = {QByteArray(3, '\1')};
    refused.push_back({"short picture data", a});
    a = good;
    a.Palette = QVector<QRgb>(300, kRed);
    refused.push_back({"colour table of 300", a});
    a = good;
    a.Compression = 1;
    a.Height = -2;
    refused.push_back({"top-down run length", a});

    for (const auto& [what, clip] : refused) {
        EXPECT_FALSE(m_clip.Open(Write(Build(clip)))) << what;
        EXPECT_FALSE(m_clip.IsOpen()) << what;
        EXPECT_FALSE(m_clip.ErrorText().isEmpty()) << what;
        EXPECT_EQ(m_clip.FrameCount(), 0) << what;
    }
    EXPECT_FALSE(m_clip.Open(m_dir.filePath(QStringLiteral("missing.avi"))));
    QByteArray riff = Build(good);
    riff[3] = 'X';
    EXPECT_FALSE(m_clip.Open(Write(riff)));
}

TEST_F(TAviClipTest, TruncatedAndDamagedFilesFailCleanly)
{
    const QByteArray whole = Build(RunLengthClip());
    for (qsizetype length = 0; length < whole.size(); ++length)
        EXPECT_FALSE(m_clip.Open(Write(whole.left(length)))) << "cut at " << length;

    // Sizes that claim gigabytes.
    QByteArray huge = whole;
    const qsizetype movi = huge.indexOf("00dc");
    ASSERT_GT(movi, 0);
    qToLittleEndian<quint32>(0xFFFFFFF0u, huge.data() + movi + 4);
    EXPECT_FALSE(m_clip.Open(Write(huge)));
    huge = whole;
    qToLittleEndian<quint32>(0xFFFFFFFFu, huge.data() + 4);
    EXPECT_FALSE(m_clip.Open(Write(huge)));
    huge = whole;
    const qsizetype strf = huge.indexOf("strf");
    qToLittleEndian<quint32>(0x7FFFFFFFu, huge.data() + strf + 8 + 4); // picture width
    EXPECT_FALSE(m_clip.Open(Write(huge)));

    // Every byte overwritten in turn: the clip opens or not, but never crashes.
    for (qsizetype i = 0; i < whole.size(); ++i)
        for (char v : {char(0x00), char(0xFF), char(0x7F)}) {
            QByteArray damaged = whole;
            damaged[i] = v;
            if (m_clip.Open(Write(damaged))) {
                QImage frame;
                for (int f = 0; f < m_clip.FrameCount(); ++f)
                    m_clip.Frame(f, &frame);
                EXPECT_LE(m_clip.FrameSize().width(), TAviClip::MaxDimension);
            }
        }
}

// The decoder alone, on a frame with guard bytes around it.
TEST(TRle8DecoderTest, DropsPixelsOutsideTheFrameAndReportsBrokenCodes)
{
    const int w = 4, h = 2;
    QByteArray buffer(w * h + 8, char(0x55));
    uchar* frame = reinterpret_cast<uchar*>(buffer.data()) + 4;
    std::memset(frame, 0, w * h);
    const auto decode = [&](const QByteArray& data) {
        return TRle8Decoder::Decode(reinterpret_cast<const uchar*>(data.constData()), data.size(),
                                    frame, w, h, w);
    };
    // A run longer than the row, an absolute run past the edge, a delta out of the frame.
    EXPECT_TRUE(decode(Bytes({9, 7, 0, 0, 2, 1, 0, 3, 4, 5, 6, 0, 0, 2, 9, 9, 3, 3, 0, 1})));
    EXPECT_EQ(buffer.left(4), QByteArray(4, char(0x55)));
    EXPECT_EQ(buffer.right(4), QByteArray(4, char(0x55)));
    EXPECT_EQ(QByteArray(reinterpret_cast<char*>(frame), w * h), Bytes({7, 7, 7, 7, 1, 1, 4, 5}));

    EXPECT_FALSE(decode(Bytes({2})));          // a code cut in half
    EXPECT_FALSE(decode(Bytes({0, 2, 1})));    // a delta without its second byte
    EXPECT_FALSE(decode(Bytes({0, 4, 1, 2}))); // an absolute run cut short
    EXPECT_TRUE(decode(Bytes({2, 9})));        // data may simply end between codes
    EXPECT_EQ(frame[0], 9);
    EXPECT_TRUE(decode(Bytes({0, 1, 4, 8}))); // nothing after the end of the bitmap
    EXPECT_EQ(frame[2], 7);
}
