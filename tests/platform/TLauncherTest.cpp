#include "platform/TLauncher.h"
#include "common/TestSupport.h"
#include <gtest/gtest.h>

TEST(TLauncherTest, ParametersSplitLikeACommandLine)
{
    EXPECT_EQ(TLauncher::SplitParameters("a b"), (QStringList{"a", "b"}));
    EXPECT_EQ(TLauncher::SplitParameters("  a   \"b c\" d"), (QStringList{"a", "b c", "d"}));
    EXPECT_EQ(TLauncher::SplitParameters("\"\""), QStringList{""});
    EXPECT_EQ(TLauncher::SplitParameters("x;rm -rf /"), (QStringList{"x;rm", "-rf", "/"}));
    EXPECT_TRUE(TLauncher::SplitParameters("").isEmpty());
}

TEST(TLauncherTest, RequestsReachTheHookWithoutAShell)
{
    TLaunchCapture capture;
    TLauncher::PlaySound("/m/theme.wav");
    TLauncher::StartProgram("/opt/x/tool.exe", {"a", "b; echo hi"});
    TLauncher::OpenInMediaPlayer("/m/clip $(x).avi");
    ASSERT_EQ(capture.Requests().size(), 3u);
    EXPECT_EQ(capture.Requests()[0].kind, TLaunchRequest::Sound);
    EXPECT_EQ(capture.Requests()[1].arguments, (QStringList{"a", "b; echo hi"}));
    EXPECT_EQ(capture.Requests()[2].kind, TLaunchRequest::MediaPlayer);
    EXPECT_EQ(capture.Requests()[2].program, "xdg-open");
    EXPECT_EQ(capture.Requests()[2].arguments, QStringList{"/m/clip $(x).avi"});
}
