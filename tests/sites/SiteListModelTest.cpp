#include "sites/SiteListModel.h"
#include "TempHome.h"
#include "TestFiles.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

using Row = SiteListModel::Row;



} // namespace

TEST(SiteListFile, StarMarksUntickedRowsAndEmptyLinesAreSkipped) {
    TempHome home;
    const QString path = home.path() + "/Sites.dat";
    writeRaw(path, "X\r\n*Y\r\n\r\n*\nZ");
    SiteListModel list;
    ASSERT_TRUE(list.LoadSiteList(path));
    EXPECT_EQ(list.rows(), QList<Row>({{"X", true}, {"Y", false}, {"", false}, {"Z", true}}));
    ASSERT_TRUE(list.SaveSiteList(path));
    EXPECT_EQ(contents(path), "X\r\n*Y\r\n*\r\nZ\r\n");
}

TEST(SiteListFile, TickedRowStartingWithAStarComesBackUnticked) {
    TempHome home;
    const QString path = home.path() + "/Sites.dat";
    SiteListModel list;
    list.setRows({{"*odd", true}});
    ASSERT_TRUE(list.SaveSiteList(path));
    EXPECT_EQ(contents(path), "*odd\r\n");
    ASSERT_TRUE(list.LoadSiteList(path));
    EXPECT_EQ(list.rows(), QList<Row>({{"odd", false}}));
}

TEST(SiteListFile, UnreadableFileGivesAnEmptyList) {
    TempHome home;
    SiteListModel list;
    list.setRows({{"old", true}});
    EXPECT_FALSE(list.LoadSiteList(home.path() + "/missing.dat"));
    EXPECT_EQ(list.count(), 0);
    EXPECT_FALSE(list.SaveSiteList(home.path() + "/no/such/folder/Sites.dat"));
}

TEST(DefaultSiteList, TicksEveryLineExceptThoseMentioningBikini) {
    TempHome home;
    const QString path = home.path() + "/Source.dat";
    writeRaw(path, "A{u}N\r\n\r\nBeach{http://x/bikini}N\r\n*Star{s}N\r\nBiKiNi{v}G\r\n");
    SiteListModel list;
    ASSERT_TRUE(list.LoadDefaultSiteList(path));
    EXPECT_EQ(list.rows(), QList<Row>({{"A{u}N", true},
                                       {"", true},
                                       {"Beach{http://x/bikini}N", false},
                                       {"*Star{s}N", true},
                                       {"BiKiNi{v}G", false}}));
    EXPECT_FALSE(list.LoadDefaultSiteList(home.path() + "/none.dat"));
    EXPECT_EQ(list.count(), 0);
}

TEST(SiteListModel, AccessorsAndTicks) {
    SiteListModel list;
    EXPECT_FALSE(list.Check4CurrentSite());
    list.setRows({{"One" + QString(18, ' ') + "{http://a/}G", false}, {"Two{b}N", false}});
    EXPECT_FALSE(list.Check4CurrentSite());
    EXPECT_EQ(list.SiteNameAt(0), "One");
    EXPECT_EQ(list.SiteURLAt(0), "http://a/");
    EXPECT_TRUE(list.SiteHasGIFAt(0));
    EXPECT_FALSE(list.SiteHasGIFAt(1));
    EXPECT_FALSE(list.SiteSelected(5));
    EXPECT_FALSE(list.SiteSelected(-1));
    ASSERT_TRUE(list.setData(list.index(1), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(list.SiteSelected(1));
    EXPECT_TRUE(list.Check4CurrentSite());
    EXPECT_EQ(list.data(list.index(1), Qt::DisplayRole).toString(), "Two");
}
