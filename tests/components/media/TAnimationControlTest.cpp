#include "components/media/TAnimationControl.h"
#include "TestAviWriter.h"
#include "common/TestSupport.h"
#include "components/media/TKXAniProgress.h"
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace TestAvi;

namespace {
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kGreen = qRgb(0, 255, 0);
const QRgb kBlue = qRgb(0, 0, 255);

class TAnimationControlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Three 3 x 2 frames; the black top-left pixel is the clip's background.
        TTestAvi a;
        a.Width = 3;
        a.Height = 2;
        a.Palette = {kBlack, kRed, kGreen, kBlue};
        a.MicroSecPerFrame = 30000;
        a.Frames = {Raw8({{0, 1, 1}, {0, 2, 2}}), Raw8({{0, 3, 3}, {1, 1, 1}}),
                    Raw8({{2, 2, 2}, {0, 0, 0}})};
        m_clip = m_dir.filePath(QStringLiteral("Busy.avi"));
        WriteTestFile(m_clip, Build(a));
        QByteArray broken = Build(a);
        broken.chop(10);
        m_broken = m_dir.filePath(QStringLiteral("broken.avi"));
        WriteTestFile(m_broken, broken);
        m_missing = m_dir.filePath(QStringLiteral("missing.avi"));
    }

    // The frames an animation shows as the timer steps it.
    static std::vector<int> Steps(TAnimationControl& control, int count)
    {
        std::vector<int> frames{control.CurrentFrame()};
        for (int i = 0; i < count; ++i) {
            control.AdvanceFrame();
            frames.push_back(control.Animating() ? control.CurrentFrame()
                                                 : -100 - control.CurrentFrame());
        }
        return frames;
    }

    QTemporaryDir m_dir;
    QString m_clip;
    QString m_broken;
    QString m_missing;
};
} // namespace

TEST_F(TAnimationControlTest, FileNameOpensExistingClipsAndShowsTheFirstFrame)
{
    TAnimationControl control;
    EXPECT_TRUE(control.AviFileName().isEmpty());
    EXPECT_TRUE(control.Center());
    EXPECT_TRUE(control.Transparent());
    EXPECT_FALSE(control.Autoplay());

    control.SetAviFileName(m_clip);
    EXPECT_EQ(control.AviFileName(), m_clip);
    ASSERT_TRUE(control.ClipOpen());
    EXPECT_EQ(control.FrameCount(), 3);
    EXPECT_EQ(control.CurrentFrame(), 0);
    EXPECT_FALSE(control.Animating());
    EXPECT_EQ(control.FrameInterval(), 30);

    control.SetAviFileName(QString());
    EXPECT_EQ(control.AviFileName(), m_clip);
    EXPECT_TRUE(control.ClipOpen());

    control.SetAviFileName(m_missing);
    EXPECT_EQ(control.AviFileName(), m_missing);
    EXPECT_FALSE(control.ClipOpen());
    EXPECT_EQ(control.CurrentFrame(), -1);
    EXPECT_TRUE(control.FrameImage().isNull());

    control.SetAviFileName(m_broken);
    EXPECT_EQ(control.AviFileName(), m_broken);
    EXPECT_FALSE(control.ClipOpen());
    EXPECT_FALSE(control.Open(m_broken));
    EXPECT_FALSE(control.Open(QString()));
    EXPECT_FALSE(control.Seek(0));
    EXPECT_FALSE(control.Play(-1, 0, -1));
}

TEST_F(TAnimationControlTest, BackgroundIsTransparentOnlyWhenAsked)
{
    TAnimationControl control;
    control.resize(9, 6);
    control.SetAviFileName(m_clip);
    const QImage& frame = control.FrameImage();
    EXPECT_EQ(qAlpha(frame.pixel(0, 0)), 0);
    EXPECT_EQ(frame.pixel(1, 0), kRed);
    EXPECT_EQ(qAlpha(frame.pixel(0, 1)), 0);
    EXPECT_EQ(frame.pixel(2, 1), kGreen);

    // Centred: the frame lies at (3, 2).
    const QImage shown = control.grab().toImage();
    EXPECT_EQ(shown.pixel(4, 2), kRed);
    EXPECT_EQ(shown.pixel(5, 3), kGreen);

    control.SetTransparent(false);
    ASSERT_TRUE(control.ClipOpen());
    EXPECT_EQ(control.FrameImage().pixel(0, 0), kBlack);
    control.SetCenter(false);
    EXPECT_EQ(control.grab().toImage().pixel(1, 0), kRed);
}

TEST_F(TAnimationControlTest, PlaySeekAndStop)
{
    TAnimationControl control;
    control.SetAviFileName(m_clip);
    EXPECT_TRUE(control.Seek(2));
    EXPECT_EQ(control.CurrentFrame(), 2);
    EXPECT_FALSE(control.Animating());
    EXPECT_EQ(control.FrameImage().pixel(0, 0), kGreen);

    // Negative numbers mark the frame the playing stopped on.
    ASSERT_TRUE(control.Play(1, 0, -1));
    EXPECT_TRUE(control.Animating());
    EXPECT_EQ(Steps(control, 3), (std::vector<int>{0, 1, 2, -102}));
    ASSERT_TRUE(control.Play(2, 1, 2));
    EXPECT_EQ(Steps(control, 4), (std::vector<int>{1, 2, 1, 2, -102}));
    ASSERT_TRUE(control.Play(-1, 0, 1));
    EXPECT_EQ(Steps(control, 5), (std::vector<int>{0, 1, 0, 1, 0, 1}));
    EXPECT_TRUE(control.Stop());
    EXPECT_FALSE(control.Animating());
    EXPECT_EQ(control.CurrentFrame(), 1);

    EXPECT_FALSE(control.Play(1, 3, 3));
    EXPECT_FALSE(control.Play(1, 2, 1));
    EXPECT_FALSE(control.Play(1, -1, 1));
    EXPECT_FALSE(control.Play(0, 0, 1));
    EXPECT_FALSE(control.Seek(3));
    EXPECT_EQ(control.CurrentFrame(), 1);
}

TEST_F(TAnimationControlTest, TimerPlaysAtTheClipsRate)
{
    TAnimationControl control;
    control.SetAviFileName(m_clip);
    QSignalSpy stopped(&control, &TAnimationControl::stopped);
    ASSERT_TRUE(control.Play(1, 0, -1));
    ASSERT_TRUE(stopped.wait(3000));
    EXPECT_EQ(control.CurrentFrame(), 2);
    EXPECT_FALSE(control.Animating());
}

TEST_F(TAnimationControlTest, ChangingALookPropertyReopensTheClip)
{
    TAnimationControl control;
    control.SetAviFileName(m_clip);
    control.Seek(2);
    control.SetCenter(true); // unchanged: nothing happens
    EXPECT_EQ(control.CurrentFrame(), 2);

    control.SetCenter(false);
    EXPECT_TRUE(control.ClipOpen());
    EXPECT_EQ(control.CurrentFrame(), 0);
    EXPECT_FALSE(control.Animating());

    control.SetAutoplay(true); // reopened and playing by itself
    EXPECT_TRUE(control.Animating());
    EXPECT_TRUE(control.Open(m_clip));
    EXPECT_TRUE(control.Animating());
    control.SetAviFileName(m_clip); // showing the first frame stops it
    EXPECT_FALSE(control.Animating());
}

TEST_F(TAnimationControlTest, ProgressStartsAndStops)
{
    TKXAniProgress progress;
    progress.SetCenter(false);
    progress.SetTransparent(false);
    EXPECT_FALSE(progress.IsPlaying());
    EXPECT_FALSE(progress.Start(m_missing));
    EXPECT_FALSE(progress.IsPlaying());
    EXPECT_TRUE(progress.Center());
    EXPECT_TRUE(progress.Transparent());
    EXPECT_TRUE(progress.Autoplay());

    EXPECT_FALSE(progress.Start(m_broken));
    EXPECT_FALSE(progress.IsPlaying());

    ASSERT_TRUE(progress.Start(m_clip));
    EXPECT_TRUE(progress.IsPlaying());
    EXPECT_TRUE(progress.Animating());
    EXPECT_EQ(progress.AviFileName(), m_clip);
    EXPECT_EQ(Steps(progress, 4), (std::vector<int>{0, 1, 2, 0, 1}));

    EXPECT_TRUE(progress.Stop());
    EXPECT_FALSE(progress.IsPlaying());
    EXPECT_FALSE(progress.Animating());
    TAnimationControl& base = progress;
    ASSERT_TRUE(progress.Start(m_clip));
    base.Stop();
    EXPECT_FALSE(progress.IsPlaying());
}

TEST_F(TAnimationControlTest, ProgressConstructorTakesAnExistingClipOnly)
{
    TKXAniProgress withClip(m_clip);
    EXPECT_EQ(withClip.AviFileName(), m_clip);
    EXPECT_TRUE(withClip.ClipOpen());
    EXPECT_FALSE(withClip.IsPlaying());

    TKXAniProgress withoutClip(m_missing);
    EXPECT_TRUE(withoutClip.AviFileName().isEmpty());
    EXPECT_FALSE(withoutClip.ClipOpen());
}
