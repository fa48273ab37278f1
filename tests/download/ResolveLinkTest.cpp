#include "download/ResolveLink.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

const QString Base = "http://server1/dir/page.html";

struct ResolveCase {
    QString base;
    QString link;
    QString expected;
};

TEST(ResolveLink, ResolvesAgainstThePage) {
    const ResolveCase cases[] = {
        {Base, "img/a.jpg", "http://server1/dir/img/a.jpg"},
        {Base, "/img/a.jpg", "http://server1/img/a.jpg"},
        {Base, "../up.jpg", "http://server1/up.jpg"},
        {Base, "//cdn.example/x.jpg", "http://cdn.example/x.jpg"},
        {"http://server1:8080/a/b/", "c.jpg", "http://server1:8080/a/b/c.jpg"},
        {"https://secure/dir/", "p.jpg", "https://secure/dir/p.jpg"},
        {"server1/dir/page.html", "a.jpg", "http://server1/dir/a.jpg"},
    };
    for (const ResolveCase& c : cases)
        EXPECT_EQ(ResolveLink(c.base, c.link), c.expected) << c.link.toStdString();
}

TEST(ResolveLink, ReturnsAbsoluteAndUnbasedLinksUnchanged) {
    const ResolveCase cases[] = {
        {Base, "HTTP://other/x.jpg", "HTTP://other/x.jpg"},
        {Base, "ftp://files/a b.jpg", "ftp://files/a b.jpg"},
        {Base, "/go?u=http://x/y.jpg", "/go?u=http://x/y.jpg"},
        {"", "img/a b.jpg", "img/a b.jpg"},
        {"", "", ""},
        {Base, "https://other/x.jpg", "https://other/x.jpg"},
    };
    for (const ResolveCase& c : cases)
        EXPECT_EQ(ResolveLink(c.base, c.link), c.expected) << c.link.toStdString();
}

TEST(ResolveLink, EncodesUnsafeCharactersAndDropsTrailingWhiteSpace) {
    const ResolveCase cases[] = {
        {Base, "a b.jpg", "http://server1/dir/a%20b.jpg"},
        {Base, "x y.jpg?q=a b#f g", "http://server1/dir/x%20y.jpg?q=a%20b#f%20g"},
        {Base, "a.jpg \t\r\n", "http://server1/dir/a.jpg"},
        {Base, "\xc3\xa9.jpg", "http://server1/dir/%C3%A9.jpg"},
        {Base, "\"<q>{|}^`\\.jpg", "http://server1/dir/%22%3Cq%3E%7B%7C%7D%5E%60%5C.jpg"},
        {Base, "100%.jpg", "http://server1/dir/100%25.jpg"},
        {Base, "a%20b.jpg", "http://server1/dir/a%20b.jpg"},
        {Base, "'c.jpg'", "http://server1/dir/'c.jpg'"},
    };
    for (const ResolveCase& c : cases)
        EXPECT_EQ(ResolveLink(c.base, c.link), c.expected) << c.link.toStdString();
}

TEST(ResolveLink, GivesNothingPastFiveHundredCharacters) {
    const QString prefix = "http://server1/dir/";
    const QString fits(500 - prefix.size(), QLatin1Char('a'));
    EXPECT_EQ(ResolveLink(Base, fits), prefix + fits);
    EXPECT_EQ(ResolveLink(Base, fits + "a"), QString());
    // Encoding counts: 167 spaces become 501 characters.
    EXPECT_EQ(ResolveLink(Base, "x" + QString(160, QLatin1Char(' ')) + "y"), QString());
}

TEST(ResolveLink, GivesNothingForAnUnusableBase) {
    EXPECT_EQ(ResolveLink("http://[bad/", "a.jpg"), QString());
}

// RFC 3986 section 5.4; curl normalises the empty path of an authority to
// "/", which names the same resource (section 6.2.3).
TEST(ResolveLink, MeetsTheReferenceResolutionExamples) {
    QFile file(DAYGLASS_TEST_DATA "/download/rfc3986-5.4-cases.json");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonArray cases = QJsonDocument::fromJson(file.readAll()).array();
    ASSERT_EQ(cases.size(), 43);
    for (const QJsonValue& value : cases) {
        const QJsonObject c = value.toObject();
        const QString kind = c["kind"].toString();
        if (kind.contains("alternative"))
            continue; // the loose reading of "http:g"; the strict one is checked
        QString expected = c["expected"].toString();
        if (expected == "http://g")
            expected = "http://g/";
        EXPECT_EQ(ResolveLink(c["base"].toString(), c["ref"].toString()), expected)
            << kind.toStdString() << " " << c["ref"].toString().toStdString();
    }
}

} // namespace
