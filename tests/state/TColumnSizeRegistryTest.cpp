#include "state/TColumnSizeRegistry.h"
#include "components/listview/TSortListView.h"
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class TColumnSizeRegistryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
    }
    // Plugs the registry into the view and gives it three columns.
    static void Columns(TSortListView& view, int a, int b, int c)
    {
        view.SetColumnSizeStore(std::make_unique<TColumnSizeRegistry>());
        view.AddColumn("a", a);
        view.AddColumn("b", b);
        view.AddColumn("c", c);
    }
    static QSettings Store()
    {
        return QSettings(QSettings::IniFormat, QSettings::UserScope, "Zelmora", "ColumnSizes");
    }
    QTemporaryDir m_dir;
};

TEST_F(TColumnSizeRegistryTest, RoundTrip)
{
    {
        TSortListView view;
        view.SaveSettings().RegistryKey = "Software\\Test\\Docs";
        Columns(view, 120, 80, 33);
        EXPECT_TRUE(view.StoreColumnSizes());
    }
    EXPECT_EQ(Store().value("Software/Test/Docs/Columns/Sizes").toString(), "120,80,33");
    TSortListView view;
    view.SaveSettings().RegistryKey = "Software\\Test\\Docs";
    Columns(view, 50, 50, 50);
    EXPECT_TRUE(view.RestoreColumnSizes());
    EXPECT_EQ(view.ColumnWidth(0), 120);
    EXPECT_EQ(view.ColumnWidth(1), 80);
    EXPECT_EQ(view.ColumnWidth(2), 33);
}

TEST_F(TColumnSizeRegistryTest, BadNumbersGiveZeroAndMissingValuesChangeNothing)
{
    {
        QSettings store = Store();
        store.setValue("Bad/Columns/Sizes", "abc,77");
    }
    TSortListView view;
    Columns(view, 50, 60, 70);
    view.SaveSettings().RegistryKey = "Nowhere";
    EXPECT_TRUE(view.RestoreColumnSizes());
    EXPECT_EQ(view.ColumnWidth(0), 50);
    EXPECT_EQ(view.ColumnWidth(1), 60);
    view.SaveSettings().RegistryKey = "Bad";
    EXPECT_TRUE(view.RestoreColumnSizes());
    EXPECT_EQ(view.ColumnWidth(0), 0);
    EXPECT_EQ(view.ColumnWidth(1), 77);
    EXPECT_EQ(view.ColumnWidth(2), 70); // no stored width for it
}

TEST_F(TColumnSizeRegistryTest, AutoSaveWritesOnDestructionAndReadsWhenLoaded)
{
    {
        TSortListView view; // AutoSave off: nothing written
        view.SaveSettings().RegistryKey = "Auto";
        Columns(view, 11, 22, 33);
    }
    EXPECT_FALSE(Store().contains("Auto/Columns/Sizes"));
    {
        TSortListView view;
        view.SaveSettings().AutoSave = true;
        view.SaveSettings().SaveColumnSizes = false;
        view.SaveSettings().RegistryKey = "Auto";
        Columns(view, 11, 22, 33);
    }
    EXPECT_FALSE(Store().contains("Auto/Columns/Sizes"));
    {
        TSortListView view;
        view.SaveSettings().AutoSave = true;
        view.SaveSettings().RegistryKey = "Auto";
        Columns(view, 11, 22, 33);
    }
    EXPECT_EQ(Store().value("Auto/Columns/Sizes").toString(), "11,22,33");
    TSortListView view;
    view.SaveSettings().RegistryKey = "Auto";
    Columns(view, 1, 2, 3);
    view.Loaded(); // AutoSave off: not read
    EXPECT_EQ(view.ColumnWidth(0), 1);
    view.SaveSettings().AutoSave = true;
    view.Loaded();
    EXPECT_EQ(view.ColumnWidth(0), 11);
    EXPECT_EQ(view.ColumnWidth(2), 33);
    view.SaveSettings().AutoSave = false;
}
