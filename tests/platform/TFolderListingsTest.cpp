#include "platform/TFolderListings.h"
#include "common/TestSupport.h"
#include "platform/TPath.h"
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(TFolderListingsTest, OneListingPerFolderServesEveryLookupOfALoad)
{
    QTemporaryDir tmp;
    const QString dir = tmp.path();
    WriteTestFile(dir + "/Pics/Logo.GIF", "g");
    WriteTestFile(dir + "/Pics/b.gif", "b");
    WriteTestFile(dir + "/Pics/B.gif", "B");
    {
        TFolderListings listings;
        const TFolderListings::TUse use(listings);
        EXPECT_EQ(TPath::Resolve(dir + "/pics/logo.gif"), dir + "/Pics/Logo.GIF");
        EXPECT_EQ(TPath::Resolve(dir + "/PICS/b.GIF"), dir + "/Pics/B.gif"); // first in name order
        for (int i = 0; i < 100; ++i)
            EXPECT_FALSE(TPath::FileExists(dir + "/Pics/missing" + QString::number(i) + ".gif"));
        EXPECT_EQ(listings.FolderCount(), 2); // the web's folder and Pics, each read once
        // A file that appears during the load is not seen by it: the listing is not reread.
        WriteTestFile(dir + "/Pics/New.gif", "n");
        EXPECT_FALSE(TPath::FileExists(dir + "/Pics/new.gif"));
    }
    // The next load reads the folder afresh; without listings every lookup reads it.
    EXPECT_EQ(TFolderListings::Current(), nullptr);
    EXPECT_EQ(TPath::Resolve(dir + "/pics/new.gif"), dir + "/Pics/New.gif");
    TFolderListings next;
    const TFolderListings::TUse use(next);
    EXPECT_TRUE(TPath::FileExists(dir + "/PICS/NEW.GIF"));
    EXPECT_FALSE(TPath::FileExists(dir + "/nothere/x.gif"));
}
