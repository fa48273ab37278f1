#include "download/ImageLinks.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList LinksOf(const QByteArray& page) {
    QStringList links;
    FindImageLinks(page, links);
    return links;
}

struct LinkCase {
    const char* what;
    QByteArray page;
    QStringList links;
};

TEST(FindImageLinks, FollowsTheMatchingRules) {
    const LinkCase cases[] = {
        {"quoted first, then unquoted, each in page order",
         "<img src=a.jpg><img src=\"b.jpg\"><img src=\"b.jpg\">",
         {"b.jpg", "b.jpg", "a.jpg"}},
        {"upper-case tag and attribute", "<IMG SRC=\"UP.JPG\">", {"UP.JPG"}},
        {"mixed case", "<iMg Src=\"m.jpg\">", {"m.jpg"}},
        {"line break between img and src", "<img\r\nsrc=\"two.jpg\">", {"two.jpg"}},
        {"tab and form feed are white space",
         "<img\tsrc=\"t.jpg\"><img\fsrc=\"f.jpg\">",
         {"t.jpg", "f.jpg"}},
        {"vertical tab is not white space", "<img\vsrc=\"v.jpg\">", {}},
        {"lowsrc after src wins", "<img src=\"big.jpg\" lowsrc=\"low.jpg\">", {"low.jpg"}},
        {"data-src after src wins", "<img src=\"a.jpg\" data-src=\"lazy.jpg\">", {"lazy.jpg"}},
        {"single quotes stay in the link", "<img src='c.jpg'>", {"'c.jpg'"}},
        {"space after = and none before >", "<img src= d.jpg>", {}},
        {"the same space on both sides", "<img src= d.jpg >", {"d.jpg"}},
        {"different white space on the two sides", "<img src=\td.jpg >", {}},
        {"white space around a quoted value's =", "<img src = \"e.jpg\">", {"e.jpg"}},
        {"img must be followed by white space", "<image src=\"x.jpg\"><img/src=\"y.jpg\">", {}},
        {"a > in an earlier value ends the tag", "<img alt=\"a>b\" src=\"z.jpg\">", {}},
        {"entities and spaces are kept", "<img src=\" a&amp;b.jpg \">", {" a&amp;b.jpg "}},
        {"an empty value gives nothing", "<img src=\"\"><img src=>", {}},
        {"an unterminated tag gives nothing", "<img src=\"a.jpg\"", {}},
        {"empty page", "", {}},
        {"UTF-8 text survives", "<img src=\"\xc3\xa9t\xc3\xa9.jpg\">", {"\u00e9t\u00e9.jpg"}},
    };
    for (const LinkCase& c : cases)
        EXPECT_EQ(LinksOf(c.page), c.links) << c.what;
}

TEST(FindImageLinks, AppendsToTheGivenList) {
    QStringList links{"kept"};
    FindImageLinks("<img src=\"new.jpg\">", links);
    EXPECT_EQ(links, QStringList({"kept", "new.jpg"}));
}

QByteArray ReadData(const QString& name) {
    QFile file(QStringLiteral(DAYGLASS_TEST_DATA "/download/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return file.readAll();
}

TEST(FindImageLinks, FindsThePictureOfRealPages) {
    const struct {
        const char* file;
        QStringList links;
    } pages[] = {
        {"ap200609.html", {"image/2006/OrionMountains_Tabbush_960.jpg"}},
        {"ap220420.html", {"image/2204/PlanetBridge_Honda_960.jpg"}},
        {"ap241207.html", {"image/2412/NASARocketEngineFireplaceSnap600.png"}},
        {"astropix-2018-08-06.html", {"http://nusoft.fnal.gov/nova/public/img/FD-evt-echo.gif"}},
        {"ap211010.html", {}},
    };
    for (const auto& p : pages)
        EXPECT_EQ(LinksOf(ReadData(p.file)), p.links) << p.file;
}

// Pages made of the pieces the patterns care about, in random order.
QByteArray RandomPage(QRandomGenerator& random) {
    static const QByteArray pieces[] = {
        "<img",  "<IMG", "<img ",  "<Img\n", " ",      "  ",       "\t", "\n",   "\r\n",
        "\f",    "\v",   "src",    "SRC",    "lowsrc", "data-src", "=",  "= ",   "\"",
        "'",     ">",    "<",      "/",      "a.jpg",  "b c.gif",  "x",  "alt=", "\xc3\xa9",
        "image", "\xff", "src=\"", "\">",    "src=",   "<img src="};
    QByteArray page;
    const int count = random.bounded(1, 120);
    for (int i = 0; i < count; ++i)
        page += pieces[random.bounded(int(std::size(pieces)))];
    return page;
}

TEST(FindImageLinks, AgreesWithPerlOnGeneratedPages) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QRandomGenerator random(20240611);
    QList<QByteArray> pages;
    QStringList files;
    for (int i = 0; i < 1500; ++i) {
        pages.append(RandomPage(random));
        files.append(dir.filePath(QString::number(i)));
        QFile file(files.last());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(pages.last());
    }
    QProcess perl;
    perl.start("perl", QStringList{DAYGLASS_SOURCE_DIR "/tests/download/image_links.pl"} + files);
    ASSERT_TRUE(perl.waitForFinished(60000)) << "perl did not run";
    ASSERT_EQ(perl.exitCode(), 0) << perl.readAllStandardError().toStdString();
    const QList<QByteArray> expected = perl.readAllStandardOutput().split('\1');
    ASSERT_EQ(expected.size(), pages.size() + 1);
    int withLinks = 0;
    for (qsizetype i = 0; i < pages.size(); ++i) {
        QStringList perlLinks;
        for (const QByteArray& link : expected[i].split('\0'))
            if (!link.isEmpty())
                perlLinks.append(QString::fromUtf8(link));
        withLinks += perlLinks.isEmpty() ? 0 : 1;
        EXPECT_EQ(LinksOf(pages[i]), perlLinks) << "page " << i << ": " << pages[i].toStdString();
    }
    EXPECT_GT(withLinks, 100) << "the generated pages hardly exercise the patterns";
}

// Hostile pages end with what was found before the hostile part.
TEST(FindImageLinks, HostilePagesEndWithTheLinksFoundSoFar) {
    const QByteArray before = "<img src=\"first.jpg\"><img src=second.jpg >";
    // One attempt that backtracks over tens of megabytes: stopped by the match limit.
    QByteArray longTag = before + "<img ";
    longTag += QByteArray("src= ").repeated(4'000'000) + ">";
    EXPECT_EQ(LinksOf(longTag), QStringList({"first.jpg", "second.jpg"}));
    // Many cheap attempts that add up: stopped by the time budget.
    QByteArray manyTags = before + "<img src=\"" + QByteArray("<img ").repeated(60'000) + ">";
    EXPECT_EQ(LinksOf(manyTags), QStringList({"first.jpg", "second.jpg"}));
    // No ">" after the hostile part: nothing there can match, found at once.
    QByteArray unclosed = before + QByteArray("<img src=\" src=\"x\" ").repeated(100'000);
    EXPECT_EQ(LinksOf(unclosed), QStringList({"first.jpg", "second.jpg"}));
}

} // namespace
