#include "sites/SiteEntry.h"

#include <gtest/gtest.h>

namespace {
const QString kSpaces(18, u' ');
}

TEST(ComposeSiteEntry, PacksNameUrlAndFlag) {
    EXPECT_EQ(ComposeSiteEntry("News", "A", true), "News" + kSpaces + "{A}G");
    EXPECT_EQ(ComposeSiteEntry("News", "A", false), "News" + kSpaces + "{A}N");
    EXPECT_EQ(ComposeSiteEntry("", "A", true), "");
    EXPECT_EQ(ComposeSiteEntry("News", "", true), "");
    EXPECT_EQ(ComposeSiteEntry(" x ", " u ", false), " x " + kSpaces + "{ u }N");
}

TEST(SiteEntryAccessors, TakeEntriesApartAsTheTableSays) {
    struct Case {
        QString entry;
        QString name;
        QString url;
        bool gif;
    };
    const Case cases[] = {
        {"News" + kSpaces + "{A}G", "News", "A", true},
        {"News" + kSpaces + "{A}N", "News", "A", false},
        {"Trail  " + kSpaces + "{u}g", "Trail", "u", false},
        {"Tabbed\t" + kSpaces + "{u}N", "Tabbed\t", "u", false},
        {"S" + kSpaces + "{http://x/a}b}N", "S", "http://x/a", false},
        {"Na{me" + kSpaces + "{u}N", "Na", "me" + kSpaces + "{u", false},
        {"NoClose {rest G", "NoClose", "rest G", true},
        {"NoOpen" + kSpaces + "u}N", "NoOpen" + kSpaces + "u}N", "NoOpen" + kSpaces + "u", false},
        {"plain", "plain", "plain", false},
        {"x}y{z", "x}y", "", false},
        {"", "", "", false},
        {"{", "", "", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetSiteName(c.entry), c.name) << c.entry.toStdString();
        EXPECT_EQ(GetSiteURL(c.entry), c.url) << c.entry.toStdString();
        EXPECT_EQ(GetSiteHasGIF(c.entry), c.gif) << c.entry.toStdString();
    }
}

TEST(TrimTrailingSpaces, RemovesOnlySpaces) {
    EXPECT_EQ(TrimTrailingSpaces("a  "), "a");
    EXPECT_EQ(TrimTrailingSpaces("a\t "), "a\t");
    EXPECT_EQ(TrimTrailingSpaces("   "), "");
    EXPECT_EQ(TrimTrailingSpaces(" a"), " a");
}
