#include "components/outline/TMDIOutline.h"
#include "FakeHeadingView.h"
#include "common/TestSupport.h"
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(TMDIOutlineTest, LooksLikeTheOutlinerItDerivesFrom)
{
    TMDIOutline o;
    EXPECT_EQ(o.ItemHeight(), 30);
    EXPECT_EQ(o.DrawCellOutline(), rcsBox);
    EXPECT_EQ(o.WatermarkText(), QStringLiteral("Calderwyn"));
    EXPECT_TRUE(o.BookmarkFile().isEmpty());
    EXPECT_EQ(o.BookmarkItem(), 0);
}

TEST(TMDIOutlineTest, BookmarkNeedsAView)
{
    TMessageCapture capture;
    TMDIOutline o;
    EXPECT_FALSE(o.SaveBookmark());
    EXPECT_FALSE(o.RestoreBookmark());
    EXPECT_TRUE(capture.Messages().empty());
}

TEST(TMDIOutlineTest, BookmarkRestoresDocumentPositionsAndEntry)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString page = dir.filePath(QStringLiteral("page.htm"));
    WriteTestFile(page, "<html></html>");

    TMessageCapture capture;
    FakeHeadingView view;
    view.currentFile = page;
    view.position = 120;
    view.horzPosition = 7;
    TMDIOutline o;
    o.SetViewer(&view);
    o.FillFromHeadings({QStringLiteral("A#1"), QStringLiteral("B#1"), QStringLiteral("C#1")});
    o.SetSelectedItem(3);
    ASSERT_TRUE(o.SaveBookmark());
    EXPECT_EQ(o.BookmarkFile(), page);
    EXPECT_EQ(o.BookmarkPosition(), 120);
    EXPECT_EQ(o.BookmarkHorzPosition(), 7);
    EXPECT_EQ(o.BookmarkItem(), 3);

    view.currentFile.clear();
    view.position = 0;
    view.horzPosition = 0;
    o.SetSelectedItem(1);
    EXPECT_TRUE(o.RestoreBookmark());
    EXPECT_EQ(view.loaded, QStringList{page});
    EXPECT_EQ(view.position, 120);
    EXPECT_EQ(view.horzPosition, 7);
    EXPECT_EQ(o.SelectedItem(), 3);
    EXPECT_TRUE(capture.Messages().empty());

    // An entry that no longer exists is not selected; the document still shows.
    o.SetBookmarkItem(40);
    EXPECT_TRUE(o.RestoreBookmark());
    EXPECT_EQ(o.SelectedItem(), 3);
}

TEST(TMDIOutlineTest, BookmarkOfAMovedFileSaysSo)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TMessageCapture capture;
    FakeHeadingView view;
    view.position = 55;
    TMDIOutline o;
    o.SetViewer(&view);
    o.SetBookmarkFile(dir.filePath(QStringLiteral("gone.htm")));
    o.SetBookmarkPosition(300);

    EXPECT_FALSE(o.RestoreBookmark());
    ASSERT_EQ(capture.Messages().size(), 1u);
    EXPECT_EQ(capture.Messages().front().text, QStringLiteral("File not in its usual location"));
    EXPECT_EQ(capture.Messages().front().caption, QStringLiteral("Error"));
    EXPECT_EQ(capture.Messages().front().buttons, TMsgButtons::Ok);
    EXPECT_TRUE(view.loaded.isEmpty());
    EXPECT_EQ(view.position, 55);
}
