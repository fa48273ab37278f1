#include "download/SiteProcessor.h"

#include "ScriptedPrompts.h"
#include "TempHome.h"
#include "TestHttpServer.h"
#include "download/HttpTransfer.h"
#include "download/StatusDisplay.h"
#include "download/TransferState.h"
#include "wallpaper/TIEFunctions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The main window as site processing sees it, with the program's defaults.
struct FakeHost : SiteProcessorHost {
    qint64 minFileSize = 12288;
    int minX = 130;
    int minY = 130;
    bool onlyFirstFile = true;
    bool onlyRecent = false;
    int keepImage = 50;
    bool keepImageEnabled = true;
    QString folder;
    QStringList list;
    int siteCount = 1;
    QList<QPair<QString, bool>> wallpapers;
    std::function<void()> onWallpaper;

    qint64 MinFileSize() const override { return minFileSize; }
    int MinXSize() const override { return minX; }
    int MinYSize() const override { return minY; }
    bool OnlyFirstFile() const override { return onlyFirstFile; }
    bool OnlyRecent() const override { return onlyRecent; }
    int KeepImage() const override { return keepImage; }
    void SetKeepImageEnabled(bool on) override { keepImageEnabled = on; }
    QString ImageFolderText() const override { return folder; }
    QStringList& DownloadList() override { return list; }
    int SiteCount() const override { return siteCount; }
    void SetImageAsWP(const QString& file, bool newPicture) override {
        wallpapers.append({file, newPicture});
        if (onWallpaper)
            onWallpaper();
    }
};

struct CaptionRecorder : StatusOutput {
    QStringList captions;
    void ShowCaption(const QString& text) override { captions.append(text); }
    void ShowToolTip(const QString&) override {}
};

class SiteProcessorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_server.isRunning()) << m_server.error().toStdString();
        host.folder = m_home.path() + "/Pictures/Daily"; // no trailing "/", not yet there
    }

    // A picture made by Qt in the served folder; noise keeps JPEGs large.
    QString picture(const QString& name, int width, int height, int seed = 1) {
        QImage image(width, height, QImage::Format_RGB32);
        quint32 x = 2463534242u + seed;
        for (int y = 0; y < height; ++y)
            for (int i = 0; i < width; ++i) {
                x ^= x << 13, x ^= x >> 17, x ^= x << 5;
                image.setPixel(i, y, x | 0xff000000u);
            }
        const QString path = m_served.filePath(name);
        EXPECT_TRUE(image.save(path, nullptr, 95)) << name.toStdString();
        return "/" + name;
    }
    QString gif(const QString& name, int width, int height) {
        const QString path = m_served.filePath(name);
        EXPECT_EQ(
            QProcess::execute("/usr/bin/convert",
                              {"-size", QString("%1x%2").arg(width).arg(height), "plasma:", path}),
            0);
        return "/" + name;
    }
    qint64 servedSize(const QString& path) { return QFileInfo(m_served.path() + path).size(); }
    void page(const QString& path, const QByteArray& html) { m_server.route(path, {.body = html}); }
    QString url(const QString& path) { return m_server.url(path); }
    QString saved(const QString& name) { return QDir(host.folder).filePath(name); }
    QStringList folderFiles() { return QDir(host.folder).entryList(QDir::Files, QDir::Name); }
    bool process(const QString& name, const QString& siteUrl, bool allowGif = false,
                 bool showMessages = true, bool onlyNew = true) {
        return processor.ProcessSite(name, siteUrl, allowGif, true, showMessages, onlyNew);
    }

    TempHome m_home;
    QTemporaryDir m_served;
    TestHttpServer m_server{m_served.path()};
    FakeHost host;
    CaptionRecorder captions;
    TransferState state;
    StatusDisplay display{captions};
    HttpTransfer transfer{state, display};
    ScriptedPrompts prompts;
    TIEFunctions images{prompts};
    SiteProcessor processor{host, transfer, display, state, prompts, images};
};

TEST_F(SiteProcessorTest, TakesTheFirstAcceptedPictureOfAPage) {
    const QString png = picture("first.png", 300, 300);
    const QString jpg = picture("second.jpg", 300, 300);
    page("/index.html", QString("<img src=\"%1\"><img src=\"%2\">").arg(png, jpg).toUtf8());
    EXPECT_TRUE(process("Daily", url("/index.html")));
    EXPECT_EQ(folderFiles(), QStringList{"Daily.jpg"});
    EXPECT_EQ(host.list, QStringList{saved("Daily.jpg")});
    EXPECT_EQ(host.wallpapers, (QList<QPair<QString, bool>>{{saved("Daily.jpg"), true}}));
    EXPECT_TRUE(m_server.requestsFor(png).isEmpty()) << "a refused type is never fetched";
    EXPECT_TRUE(prompts.shown().isEmpty());
    EXPECT_TRUE(captions.captions.contains("Dayglass - Processing Site: Daily 100%"));
}

TEST_F(SiteProcessorTest, ShowsEachMessageOnlyWhenAsked) {
    picture("pic.JPEG", 300, 300);
    picture("known.jpg", 300, 300, 7);
    page("/empty.html", "<p>video day</p>");
    page("/known.html", "<img src=known.jpg>");
    const struct {
        const char* what;
        QString site;
        QString url;
        PromptKind kind;
        QString text;
    } cases[] = {
        {"no links", "Site", url("/empty.html"), PromptKind::Information,
         "No images could be found on the page you specified."},
        {"page cannot be fetched", "Site", "http://127.0.0.1:1/none.html", PromptKind::Information,
         "No images could be found on the page you specified."},
        {"direct .jpe is refused by the filter", "Site", url("/p.jpe"), PromptKind::Information,
         "No images could be found on the site: Site"},
        {"direct picture missing", "Gone", url("/gone.jpg"), PromptKind::Information,
         "No images could be found on the site: Gone"},
        {"empty URL", "Nowhere", "", PromptKind::Error, "Nowhere Error: No Site Specified."},
    };
    for (const auto& c : cases) {
        for (const bool show : {true, false}) {
            prompts.clear();
            EXPECT_FALSE(process(c.site, c.url, false, show)) << c.what;
            if (show) {
                ASSERT_EQ(prompts.shown().size(), 1) << c.what;
                EXPECT_EQ(prompts.shown()[0].kind, c.kind) << c.what;
                EXPECT_EQ(prompts.shown()[0].buttons, PromptButtons::Ok) << c.what;
                EXPECT_EQ(prompts.shown()[0].text, c.text) << c.what;
            } else {
                EXPECT_TRUE(prompts.shown().isEmpty()) << c.what;
            }
        }
    }
    EXPECT_TRUE(m_server.requestsFor("/p.jpe").isEmpty());
    EXPECT_TRUE(folderFiles().isEmpty()) << "a failed transfer leaves no file";

    // A direct picture, taken and then known.
    prompts.clear();
    EXPECT_TRUE(process("Direct", url("/pic.JPEG")));
    EXPECT_EQ(folderFiles(), QStringList{"Direct.JPEG"});
    EXPECT_FALSE(process("Direct", url("/pic.JPEG")));
    EXPECT_EQ(prompts.texts(), QStringList{"No new images could be found on the site: Direct"});
    // A known picture from a page.
    prompts.clear();
    EXPECT_TRUE(process("Known", url("/known.html")));
    EXPECT_FALSE(process("Known", url("/known.html")));
    EXPECT_EQ(prompts.texts(), QStringList{"No new images could be found on the site: Known"});
    EXPECT_EQ(folderFiles(), QStringList({"Direct.JPEG", "Known.jpg"}));
}

TEST_F(SiteProcessorTest, SizeMinimumsHoldAtTheirBoundaries) {
    host.minFileSize = 1;
    const struct {
        QString path;
        bool taken;
    } pixels[] = {
        {picture("w130.jpg", 130, 200), true}, {picture("w129.jpg", 129, 200), false},
        {picture("h130.bmp", 200, 130), true}, {picture("h129.bmp", 200, 129), false},
        {gif("g130.gif", 130, 130), true},     {gif("g129.gif", 130, 129), false},
    };
    for (const auto& p : pixels) {
        host.list.clear();
        const int before = folderFiles().size();
        EXPECT_EQ(
            processor.DownloadAnImage("Px" + p.path.mid(1, 4), url("/"), p.path, true, false, true),
            p.taken ? ImageTaken : NoImage)
            << p.path.toStdString();
        EXPECT_EQ(folderFiles().size(), before + (p.taken ? 1 : 0)) << p.path.toStdString();
    }

    const QString bmp = picture("bytes.bmp", 200, 200);
    const qint64 size = servedSize(bmp);
    host.minFileSize = size + 1;
    EXPECT_EQ(processor.DownloadAnImage("Bytes", url("/"), bmp, false, false, true), NoImage);
    EXPECT_FALSE(QFile::exists(saved("Bytes.bmp")));
    host.minFileSize = size;
    EXPECT_EQ(processor.DownloadAnImage("Bytes", url("/"), bmp, false, false, true), ImageTaken);
    EXPECT_TRUE(QFile::exists(saved("Bytes.bmp")));
}

TEST_F(SiteProcessorTest, GifOnlyForSitesThatAskForIt) {
    host.minFileSize = 1;
    const QString g = gif("anim.gif", 200, 200);
    page("/g.html", ("<img src=" + g + ">").toUtf8());
    EXPECT_FALSE(process("NoGif", url("/g.html"), false, false));
    EXPECT_TRUE(process("Gif", url("/g.html"), true, false));
    EXPECT_EQ(folderFiles(), QStringList{"Gif.gif"});
    // A direct GIF address is fetched as a page and searched for tags.
    m_server.clearRequests();
    EXPECT_FALSE(process("GifSite", url(g), true, false));
    EXPECT_EQ(m_server.requestsFor(g).size(), 1);
}

TEST_F(SiteProcessorTest, KnownPicturesByByteSize) {
    const QString a = picture("a.bmp", 200, 200, 1);
    const QString b = picture("b.bmp", 200, 200, 2); // other pixels, same size
    page("/a.html", ("<img src=" + a + ">").toUtf8());
    page("/b.html", ("<img src=" + b + ">").toUtf8());
    ASSERT_TRUE(process("Daily", url("/a.html")));
    host.wallpapers.clear();

    // OnlyNew: the fresh copy is deleted and nothing changes.
    EXPECT_EQ(processor.DownloadAnImage("Daily", url("/b.html"), b, false, true, true), ImageKnown);
    EXPECT_EQ(folderFiles(), QStringList{"Daily.bmp"});
    EXPECT_TRUE(host.wallpapers.isEmpty());
    // Without it the existing file becomes the wallpaper, whatever SetAsWallpaper says.
    EXPECT_EQ(processor.DownloadAnImage("Daily", url("/b.html"), b, false, false, false),
              ImageTaken);
    EXPECT_EQ(host.wallpapers, (QList<QPair<QString, bool>>{{saved("Daily.bmp"), false}}));
    EXPECT_EQ(host.list, QStringList{saved("Daily.bmp")});
    EXPECT_EQ(folderFiles(), QStringList{"Daily.bmp"});
}

TEST_F(SiteProcessorTest, ComparesOnlyTheNewestSiteCountPlusOneEntries) {
    host.minFileSize = 1;
    host.siteCount = 3;
    const QString same = picture("same.bmp", 150, 150, 1);
    // The picture of that size is the 5th newest entry: outside the window of 4.
    ASSERT_EQ(processor.DownloadAnImage("Old", url("/"), same, false, false, true), ImageTaken);
    for (int i = 1; i <= 4; ++i)
        ASSERT_EQ(processor.DownloadAnImage(QString("S%1").arg(i), url("/"),
                                            picture(QString("o%1.bmp").arg(i), 150 + 4 * i, 150),
                                            false, false, true),
                  ImageTaken);
    ASSERT_EQ(host.list.size(), 5);
    EXPECT_EQ(processor.DownloadAnImage("New", url("/"), same, false, false, true), ImageTaken);
    // Now it is the newest entry, and the same size is known.
    EXPECT_EQ(processor.DownloadAnImage("Newer", url("/"), same, false, false, true), ImageKnown);
    QString existing;
    EXPECT_TRUE(processor.ImageAlreadyDownloaded(saved("Old.bmp"), saved("none.bmp"), existing));
    EXPECT_EQ(existing, saved("New.bmp"));
    EXPECT_FALSE(processor.ImageAlreadyDownloaded(saved("New.bmp"), saved("New.bmp"), existing));
    EXPECT_TRUE(existing.isEmpty());
}

TEST_F(SiteProcessorTest, AllPicturesOfAPageInOrderWhenNotOnlyTheFirst) {
    host.onlyFirstFile = false;
    QByteArray html;
    for (int i = 1; i <= 3; ++i)
        html +=
            ("<img src=\"" + picture(QString("p%1.jpg").arg(i), 200 + i, 200, i) + "\">").toUtf8();
    page("/three.html", html);
    EXPECT_TRUE(process("Daily", url("/three.html")));
    const QStringList names{saved("Daily.jpg"), saved("Daily_2.jpg"), saved("Daily_3.jpg")};
    EXPECT_EQ(host.list, names);
    ASSERT_EQ(host.wallpapers.size(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(host.wallpapers[i], qMakePair(names[i], true));
    for (const char* percent : {" 0%", " 50%", " 100%"})
        EXPECT_TRUE(
            captions.captions.contains(QString("Dayglass - Processing Site: Daily") + percent));
}

TEST_F(SiteProcessorTest, AnAbortStopsAfterTheCurrentLinkWithoutAMessage) {
    host.onlyFirstFile = false;
    page("/three.html", QString("<img src=\"%1\"><img src=\"%2\"><img src=\"%3\">")
                            .arg(picture("x1.jpg", 200, 200, 1), picture("x2.jpg", 201, 200, 2),
                                 picture("x3.jpg", 202, 200, 3))
                            .toUtf8());
    host.onWallpaper = [this] { state.AbortRequested = true; };
    EXPECT_TRUE(process("Daily", url("/three.html")));
    EXPECT_EQ(host.list.size(), 1);
    EXPECT_TRUE(m_server.requestsFor("/x2.jpg").isEmpty());
    EXPECT_TRUE(prompts.shown().isEmpty());
    host.onWallpaper = nullptr;
    EXPECT_TRUE(process("Daily", url("/x3.jpg"))) << "ProcessSite clears the abort request";
}

TEST_F(SiteProcessorTest, UniqueNamesAndSiteNamesStayInTheFolder) {
    host.minFileSize = 1;
    ASSERT_TRUE(QDir().mkpath(host.folder));
    QFile taken(saved("Daily.jpg"));
    ASSERT_TRUE(taken.open(QIODevice::WriteOnly));
    taken.write("an older file of another size");
    taken.close();
    const QString pic = picture("u.jpg", 200, 200);
    EXPECT_EQ(processor.DownloadAnImage("Daily", url("/"), pic, false, false, true), ImageTaken);
    EXPECT_TRUE(QFile::exists(saved("Daily_2.jpg")));

    const QString outside = QFileInfo(host.folder).absolutePath();
    for (const QString site : {"../escape", "a/b", ".", "..", "/abs"}) {
        host.list.clear();
        const QStringList before = QDir(outside).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        ASSERT_EQ(processor.DownloadAnImage(site, url("/"), picture("s.bmp", 140, 140), false,
                                            false, true),
                  ImageTaken)
            << site.toStdString();
        ASSERT_EQ(host.list.size(), 1);
        EXPECT_EQ(QFileInfo(host.list[0]).absolutePath(), QFileInfo(saved("x")).absolutePath())
            << site.toStdString();
        EXPECT_EQ(QDir(outside).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
        QFile::remove(host.list[0]);
    }
}

TEST_F(SiteProcessorTest, TrimsToTheNewestWhenOnlyRecentIsTicked) {
    ASSERT_TRUE(QDir().mkpath(host.folder));
    const auto add = [&](const QString& name) {
        QFile file(saved(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        processor.AddToDownloadList(saved(name));
    };
    for (int i = 1; i <= 5; ++i)
        add(QString("keep%1.jpg").arg(i));
    EXPECT_EQ(host.list.size(), 5) << "nothing is trimmed unless ticked";
    EXPECT_EQ(folderFiles().size(), 5);

    host.onlyRecent = true;
    host.keepImage = 2;
    add("new.jpg");
    EXPECT_EQ(host.list, QStringList({saved("keep5.jpg"), saved("new.jpg")}));
    EXPECT_EQ(folderFiles(), QStringList({"keep5.jpg", "new.jpg"}));
    host.keepImage = 0; // at least one picture is always kept
    host.list.prepend(saved("already-gone.jpg"));
    add("last.jpg");
    EXPECT_EQ(host.list, QStringList{saved("last.jpg")});
    EXPECT_EQ(folderFiles(), QStringList{"last.jpg"});
}

TEST_F(SiteProcessorTest, KeepImageIsEnabledWithOnlyRecent) {
    for (const bool ticked : {false, true, false}) {
        host.onlyRecent = ticked;
        processor.chkOnlyRecentClick();
        EXPECT_EQ(host.keepImageEnabled, ticked);
    }
}

} // namespace
