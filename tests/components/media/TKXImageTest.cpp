#include "components/media/TKXImage.h"
#include "common/TestSupport.h"
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {
const QRgb kOld = qRgb(1, 2, 3);

QRgb Band(int i) { return qRgb(10 + 20 * i, 200 - 10 * i, 77); }

// A picture whose rows (or columns) each have their own colour, so any strip copied to
// the surface can be recognised by its colour.
QImage Banded(int w, int h, bool rows)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, Band(rows ? y : x));
    return image;
}

// The colour of each row of a surface at column x (0 for transparent).
std::vector<QRgb> RowsAt(const QImage& surface, int x)
{
    std::vector<QRgb> rows;
    for (int y = 0; y < surface.height(); ++y) {
        const QRgb p = surface.pixel(x, y);
        rows.push_back(qAlpha(p) == 0 ? 0 : p);
    }
    return rows;
}

QImage Filled(QSize size, QRgb colour)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(colour);
    return image;
}

TStripCopy Copy(TRect source, TRect dest) { return {source, dest}; }
} // namespace

TEST(TKXImageTest, DefaultsAndClampedSetters)
{
    TKXImage image;
    EXPECT_EQ(image.Effect(), efLeftRight);
    EXPECT_EQ(image.BoxWidth(), 2);
    EXPECT_EQ(image.EffectDelay(), 0);
    EXPECT_EQ(image.FileName(), QStringLiteral("0"));
    EXPECT_FALSE(image.Center());
    EXPECT_FALSE(image.Stretch());
    EXPECT_FALSE(image.AutoSize());

    image.SetBoxWidth(0);
    EXPECT_EQ(image.BoxWidth(), 2);
    image.SetBoxWidth(1);
    EXPECT_EQ(image.BoxWidth(), 2);
    image.SetBoxWidth(7);
    EXPECT_EQ(image.BoxWidth(), 7);
    image.SetEffectDelay(-5);
    EXPECT_EQ(image.EffectDelay(), 0);
    image.SetEffectDelay(50000);
    EXPECT_EQ(image.EffectDelay(), 20000);
    image.SetEffectDelay(10);
    EXPECT_EQ(image.EffectDelay(), 10);
}

TEST(TKXImageTest, PictureRectangleIsStretchedCentredOrTopLeft)
{
    EXPECT_EQ(TEffectPlan::PictureRect({4, 3}, {10, 8}, false, false), (TRect{0, 0, 4, 3}));
    EXPECT_EQ(TEffectPlan::PictureRect({4, 3}, {10, 8}, false, true), (TRect{3, 2, 7, 5}));
    EXPECT_EQ(TEffectPlan::PictureRect({4, 3}, {10, 8}, true, true), (TRect{0, 0, 10, 8}));
    // A picture larger than the control: the offset rounds towards zero.
    EXPECT_EQ(TEffectPlan::PictureRect({15, 13}, {10, 10}, false, true), (TRect{-2, -1, 13, 12}));
}

TEST(TKXImageTest, FallingStripsInTheirOrder)
{
    // 5 rows: the effect's height is 6, three strips that fit exactly.
    TEffectPlan exact(efTopDown, {0, 0, 4, 5}, 2);
    EXPECT_EQ(exact.Strips(), 3);
    EXPECT_EQ(exact.Copies(0, 100), (std::vector<TStripCopy>{
                                        Copy({0, 4, 5, 6}, {0, 0, 5, 2}),
                                        Copy({0, 4, 5, 6}, {0, 2, 5, 4}),
                                        Copy({0, 2, 5, 4}, {0, 0, 5, 2}),
                                    }));

    // 6 rows: height 7, the fourth strip one row high.
    TEffectPlan remainder(efTopDown, {1, 2, 5, 8}, 2);
    EXPECT_EQ(remainder.Strips(), 4);
    EXPECT_EQ(remainder.Copies(0, 100), (std::vector<TStripCopy>{
                                            Copy({0, 6, 5, 7}, {1, 2, 6, 4}),
                                            Copy({0, 6, 5, 7}, {1, 4, 6, 6}),
                                            Copy({0, 6, 5, 7}, {1, 6, 6, 8}),
                                            Copy({0, 4, 5, 6}, {1, 2, 6, 4}),
                                            Copy({0, 4, 5, 6}, {1, 4, 6, 6}),
                                            Copy({0, 2, 5, 4}, {1, 2, 6, 4}),
                                        }));

    // One strip: nothing to copy; exactly BoxWidth high: one copy from beyond the picture.
    EXPECT_EQ(TEffectPlan(efTopDown, {0, 0, 4, 1}, 2).CopyCount(), 0);
    EXPECT_EQ(TEffectPlan(efTopDown, {0, 0, 4, 2}, 2).Copies(0, 9),
              (std::vector<TStripCopy>{Copy({0, 2, 5, 3}, {0, 0, 5, 2})}));
}

TEST(TKXImageTest, StripsMovingInFromTheLeftInTheirOrder)
{
    TKXImage image;
    image.resize(12, 4);
    image.SetCenter(true);
    image.SetEffect(efLeftRight);
    image.SetPicture(Banded(5, 2, false));
    EXPECT_EQ(image.PictureRect(), (TRect{3, 1, 8, 3}));
    const TEffectPlan plan = image.EffectPlan();
    EXPECT_EQ(plan.Copies(0, 100), (std::vector<TStripCopy>{
                                       Copy({4, 0, 6, 3}, {3, 1, 5, 4}),
                                       Copy({4, 0, 6, 3}, {5, 1, 7, 4}),
                                       Copy({2, 0, 4, 3}, {3, 1, 5, 4}),
                                   }));
    image.SetBoxWidth(4);
    EXPECT_EQ(image.EffectPlan().Copies(0, 100), (std::vector<TStripCopy>{
                                                     Copy({4, 0, 6, 3}, {3, 1, 7, 4}),
                                                 }));
}

TEST(TKXImageTest, EachCopyLandsOnTheSurfaceInTurn)
{
    // Picture rows 0..5 in six colours over a surface of the old colour.
    const QImage picture = Banded(4, 6, true);
    TEffectPlan plan(efTopDown, {0, 0, 4, 6}, 2);
    QImage surface = Filled({4, 6}, kOld);
    TStripEffect effect;
    effect.Start(&surface, picture, plan, int(plan.CopyCount()));
    const QRgb o = kOld;
    const std::vector<std::vector<QRgb>> expected{
        {o, o, o, o, o, o}, // strip 4 lies beyond the picture
        {o, o, o, o, o, o},
        {o, o, o, o, o, o},
        {Band(4), Band(5), o, o, o, o},             // strip 3 to position 1
        {Band(4), Band(5), Band(4), Band(5), o, o}, // and to position 2
        {Band(2), Band(3), Band(4), Band(5), o, o}, // strip 2 to position 1
    };
    for (const auto& rows : expected) {
        const bool more = effect.StepFrame();
        EXPECT_EQ(RowsAt(surface, 0), rows) << "after copy " << effect.CopiesDone();
        EXPECT_EQ(RowsAt(surface, 3), rows);
        EXPECT_EQ(more, effect.CopiesDone() < plan.CopyCount());
    }
    EXPECT_FALSE(effect.Running());
}

TEST(TKXImageTest, EffectComesInOverTheOldPictureThenThePictureShows)
{
    TKXImage image;
    image.resize(6, 10);
    image.SetCenter(true);
    image.SetEffect(efTopDown);
    image.SetPicture(Filled({6, 10}, kOld));
    image.grab(); // the old picture is on screen

    image.SetPicture(Banded(4, 6, true)); // lies at (1, 2)
    QSignalSpy finished(&image, &TKXImage::effectFinished);
    image.RunEffectNow();
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(image.EffectRunning());
    const QRgb o = kOld;
    EXPECT_EQ(RowsAt(image.Surface(), 2),
              (std::vector<QRgb>{o, o, Band(2), Band(3), Band(4), Band(5), o, o, o, o}));
    EXPECT_EQ(RowsAt(image.Surface(), 0), std::vector<QRgb>(10, o)); // left of the picture
    EXPECT_EQ(image.Surface().pixel(5, 2), o); // the extra column beyond the picture

    // The ordinary paint then shows the whole picture in its place.
    const QImage shown = image.grab().toImage();
    for (int y = 0; y < 6; ++y)
        EXPECT_EQ(shown.pixel(2, 2 + y), Band(y));
}

TEST(TKXImageTest, OneStripOrNoPictureDrawsNothing)
{
    TKXImage image;
    image.resize(6, 4);
    image.SetEffect(efTopDown);
    image.SetPicture(Filled({6, 4}, kOld));
    image.grab();
    for (int h : {1, 2}) {
        image.SetPicture(Banded(6, h, true));
        image.RunEffectNow();
        EXPECT_EQ(RowsAt(image.Surface(), 0), std::vector<QRgb>(4, kOld)) << h;
        image.SetPicture(Filled({6, 4}, kOld));
        image.grab();
    }

    TKXImage empty;
    empty.resize(5, 5);
    QSignalSpy finished(&empty, &TKXImage::effectFinished);
    empty.RunEffect();
    empty.RunEffectNow();
    EXPECT_FALSE(empty.EffectRunning());
    EXPECT_EQ(finished.count(), 0);
    EXPECT_TRUE(empty.Surface().isNull());
}

TEST(TKXImageTest, NoEffectDrawsThePictureOnceWhereItLies)
{
    TKXImage image;
    image.resize(8, 8);
    image.SetCenter(true);
    image.SetEffect(efNone);
    image.SetPicture(Banded(4, 4, true));
    EXPECT_EQ(image.EffectPlan().Copies(0, 9),
              (std::vector<TStripCopy>{Copy({0, 0, 4, 4}, {2, 2, 6, 6})}));
    image.RunEffectNow();
    EXPECT_EQ(RowsAt(image.Surface(), 3),
              (std::vector<QRgb>{0, 0, Band(0), Band(1), Band(2), Band(3), 0, 0}));
}

TEST(TKXImageTest, FramesShowExactlyTheSurfaceAfterTheirShareOfCopies)
{
    for (TEffectStyle effect : {efTopDown, efLeftRight})
        for (int w : {1, 3, 7})
            for (int h : {1, 2, 5, 9})
                for (int box : {2, 3, 4}) {
                    const QImage picture = Banded(w, h, effect == efTopDown);
                    const TEffectPlan plan(effect, {1, 1, 1 + w, 1 + h}, box);
                    const qint64 n = plan.Strips();
                    ASSERT_EQ(plan.CopyCount(), n * (n - 1) / 2);
                    const std::vector<TStripCopy> all = plan.Copies(0, plan.CopyCount());
                    for (qint64 i = 0; i < plan.CopyCount(); ++i)
                        ASSERT_EQ(plan.CopyAt(i), all[size_t(i)]) << i;
                    for (int frames : {1, 2, 3, 7, 1000}) {
                        QImage surface = Filled({w + 3, h + 3}, kOld);
                        QImage reference = surface;
                        TStripEffect strips;
                        strips.Start(&surface, picture, plan, frames);
                        qint64 done = 0;
                        while (strips.Running()) {
                            strips.StepFrame();
                            for (; done < strips.CopiesDone(); ++done)
                                TStripEffect::Apply(reference, picture, all[size_t(done)]);
                            ASSERT_EQ(surface, reference)
                                << effect << " " << w << "x" << h << " box " << box << " frames "
                                << frames << " at " << done;
                        }
                        EXPECT_EQ(done, plan.CopyCount());
                    }
                }
}

TEST(TKXImageTest, TallPictureIsSpreadOverAboutOneSecondOfFrames)
{
    const TEffectPlan plan(efTopDown, {0, 0, 306, 300}, 2);
    EXPECT_EQ(plan.Strips(), 151);
    EXPECT_EQ(plan.CopyCount(), 11325);
    const int frames = TStripEffect::FramesFor(plan.CopyCount(), 10);
    EXPECT_EQ(frames, TStripEffect::MaxFrames);
    EXPECT_LE(frames * TStripEffect::FrameIntervalMs, 1000);
    // No frame draws more than one copy per position.
    for (int f = 0; f < frames; ++f) {
        const qint64 first = plan.CopyCount() * f / frames;
        const qint64 end = plan.CopyCount() * (f + 1) / frames;
        EXPECT_LE(plan.SurvivingCopies(first, end).size(), size_t(plan.Strips()));
    }
    EXPECT_EQ(TStripEffect::FramesFor(0, 0), 0);
    EXPECT_EQ(TStripEffect::FramesFor(1, 0), 1);
    EXPECT_EQ(TStripEffect::FramesFor(3, 0), 1);
    EXPECT_EQ(TStripEffect::FramesFor(528, 10), 34);
    // A longer delay slows a short effect down, never past the cap.
    EXPECT_GT(TStripEffect::FramesFor(21, 20000), TStripEffect::FramesFor(21, 0));
    EXPECT_EQ(TStripEffect::FramesFor(1000, 20000), TStripEffect::MaxFrames);
}

TEST(TKXImageTest, TimedEffectRunsFrameByFrameAndFinishes)
{
    TKXImage image;
    image.resize(306, 65);
    image.SetCenter(true);
    image.SetEffect(efTopDown);
    image.SetEffectDelay(10);
    image.SetPicture(Banded(306, 65, true));
    QSignalSpy finished(&image, &TKXImage::effectFinished);
    image.RunEffect();
    EXPECT_TRUE(image.EffectRunning());
    EXPECT_EQ(image.EffectFrameCount(), 34);
    EXPECT_EQ(image.EffectFramesShown(), 0); // frames come from the timer
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(image.EffectRunning());
    EXPECT_EQ(image.EffectFramesShown(), 34);

    // Stepping by hand shows the same frames.
    image.RunEffect();
    int steps = 1;
    while (image.StepEffect())
        ++steps;
    EXPECT_EQ(steps, 34);
    EXPECT_FALSE(image.EffectRunning());
    EXPECT_EQ(finished.count(), 2);
}

TEST(TKXImageTest, NewPictureOrSizeAbandonsARunningEffect)
{
    TKXImage image;
    image.resize(20, 20);
    image.SetEffect(efTopDown);
    image.SetPicture(Banded(20, 20, true));
    QSignalSpy finished(&image, &TKXImage::effectFinished);
    image.RunEffect();
    ASSERT_TRUE(image.EffectRunning());
    image.SetPicture(Banded(10, 10, false));
    EXPECT_FALSE(image.EffectRunning());
    image.RunEffect();
    image.resize(30, 30);
    EXPECT_FALSE(image.StepEffect());
    EXPECT_FALSE(image.EffectRunning());
    image.RunEffect();
    image.resize(40, 40); // hidden: the timer notices
    QTest::qWait(100);
    EXPECT_FALSE(image.EffectRunning());
    EXPECT_EQ(finished.count(), 0);
}

TEST(TKXImageTest, LoadFromFileKeepsPictureAndNameOnFailure)
{
    QTemporaryDir dir;
    TKXImage image;
    image.SetPicture(Banded(3, 3, true));
    EXPECT_FALSE(image.LoadFromFile(dir.filePath(QStringLiteral("missing.bmp"))));
    const QString junk = dir.filePath(QStringLiteral("junk.bmp"));
    WriteTestFile(junk, QByteArray("BM not a picture at all"));
    EXPECT_FALSE(image.LoadFromFile(junk));
    EXPECT_EQ(image.Picture().size(), QSize(3, 3));
    EXPECT_EQ(image.FileName(), QStringLiteral("0"));

    const QString good = dir.filePath(QStringLiteral("Advert.bmp"));
    ASSERT_TRUE(Banded(7, 5, false).save(good, "BMP"));
    image.SetAutoSize(true);
    EXPECT_TRUE(image.LoadFromFile(dir.filePath(QStringLiteral("advert.BMP"))));
    EXPECT_EQ(image.Picture().size(), QSize(7, 5));
    EXPECT_EQ(image.size(), QSize(7, 5));
    EXPECT_EQ(image.Picture().pixel(4, 0), Band(4));
    EXPECT_EQ(image.FileName(), QStringLiteral("0")); // the caller names the file
}

TEST(TKXImageTest, ClickReachesTheHandler)
{
    TKXImage image;
    image.resize(40, 30);
    image.show();
    QObject* sender = nullptr;
    int clicks = 0;
    image.OnClick = [&](QObject* s) {
        sender = s;
        ++clicks;
    };
    QSignalSpy clicked(&image, &TKXImage::clicked);
    QTest::mouseClick(&image, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(sender, &image);
    EXPECT_EQ(clicked.count(), 1);
    QTest::mouseClick(&image, Qt::RightButton, {}, QPoint(10, 10));
    image.setEnabled(false);
    QTest::mouseClick(&image, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks, 1);
}
