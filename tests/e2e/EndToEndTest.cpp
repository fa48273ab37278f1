// Drives the real program against a site on 127.0.0.1, in a temporary home,
// under a private X server whose root window gets the wallpaper.
#include "TempHome.h"
#include "TestFiles.h"
#include "TestHttpServer.h"
#include "XRootWindow.h"
#include "XvfbServer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

namespace {

const QString kProgram = DAYGLASS_BINARY_DIR "/src/app/dayglass";



// A photo-sized picture of one colour with grain, so it is large enough to be taken.
void writePicture(const QString& path, QSize size, QRgb colour) {
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator random(size.width());
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const int n = int(random.bounded(9)) - 4;
            image.setPixel(x, y,
                           qRgb(qBound(0, qRed(colour) + n, 255),
                                qBound(0, qGreen(colour) + n, 255),
                                qBound(0, qBlue(colour) + n, 255)));
        }
    QDir().mkpath(QFileInfo(path).absolutePath());
    ASSERT_TRUE(image.save(path, "JPEG", 95));
}

QByteArray pageWith(const QByteArray& picture) {
    return "<html><body><center><h1>Picture of the day</h1>\n<img src=\"" + picture +
           "\" alt=\"today\"></center></body></html>\n";
}

QByteArray siteEntry(const QByteArray& name, const QString& url) {
    return name + QByteArray(18, ' ') + "{" + url.toUtf8() + "}N\r\n";
}

bool near(QRgb a, QRgb b) {
    return qAbs(qRed(a) - qRed(b)) < 24 && qAbs(qGreen(a) - qGreen(b)) < 24 &&
           qAbs(qBlue(a) - qBlue(b)) < 24;
}

class EndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!XvfbServer::available())
            GTEST_SKIP() << "Xvfb is not installed";
        xvfb = std::make_unique<XvfbServer>(QSize(800, 600));
        ASSERT_TRUE(xvfb->started()) << xvfb->error().toStdString();
        xvfb->exportDisplay();
        qputenv("DAYGLASS_WALLPAPER_BACKEND", "x11");
        qunsetenv("QT_QPA_PLATFORM");
        server = std::make_unique<TestHttpServer>(siteRoot());
        ASSERT_TRUE(server->isRunning()) << server->error().toStdString();
    }
    void TearDown() override { qunsetenv("DAYGLASS_WALLPAPER_BACKEND"); }

    QString siteRoot() const { return home.path() + "/site"; }
    QString data(const QString& name) const { return home.dataFolder() + name; }

    void useSites(const QByteArray& lines, const QByteArray& settings = {}) {
        writeRaw(data("Sites.dat"), lines);
        writeRaw(data("Settings.dat"), "[Settings]\r\nActiveNetConnection=False\r\n" + settings);
    }

    // Runs the program to its end and gives its exit code; output lands in out.
    int run(const QStringList& arguments, QByteArray* out = nullptr,
            const QString& program = kProgram) {
        QProcess process;
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForFinished(60000)) << "did not finish";
        if (out)
            *out = process.readAllStandardOutput();
        return process.exitCode();
    }

    TempHome home;
    std::unique_ptr<XvfbServer> xvfb;
    std::unique_ptr<TestHttpServer> server;
};

TEST_F(EndToEndTest, OneShotRunPutsTheNewPictureOnTheRootWindow) {
    writePicture(siteRoot() + "/image/today.jpg", QSize(640, 480), qRgb(200, 40, 40));
    writeRaw(siteRoot() + "/astropix.html", pageWith("image/today.jpg"));
    useSites(siteEntry("Daily", server->url("/astropix.html")));

    QByteArray out;
    ASSERT_EQ(run({"--once"}, &out), 0) << out.toStdString();
    const QString picture = data("Images/Daily.jpg");
    EXPECT_TRUE(QFile::exists(picture));
    EXPECT_TRUE(out.contains("Dayglass - Processing Site: Daily")) << out.toStdString();
    EXPECT_TRUE(out.trimmed().endsWith("DGLS_WP.bmp")) << out.toStdString();
    EXPECT_EQ(contents(data("Files.dat")), picture.toUtf8() + "\r\n");
    EXPECT_TRUE(contents(data("Settings.dat")).contains("\r\nCurrentSite=0\r\n"));

    const QImage root = GrabRootWindow(xvfb->display());
    ASSERT_FALSE(root.isNull());
    EXPECT_TRUE(near(root.pixel(400, 300), qRgb(200, 40, 40)));
    EXPECT_TRUE(near(root.pixel(5, 5), qRgb(0, 0, 0)));
    EXPECT_TRUE(RootPixmapProperty(xvfb->display(), "_XROOTPMAP_ID").has_value());

    // The same picture again is no new picture.
    ASSERT_EQ(run({"--once"}, &out), 1);
    EXPECT_TRUE(out.contains("No picture taken")) << out.toStdString();
}

TEST_F(EndToEndTest, AutoStartedCopyDownloadsAtOnceAndSavesOnSigterm) {
    writePicture(siteRoot() + "/image/today.jpg", QSize(1024, 768), qRgb(30, 160, 60));
    writeRaw(siteRoot() + "/empty.html", "<html><body>No picture today.</body></html>");
    writeRaw(siteRoot() + "/astropix.html", pageWith("image/today.jpg"));
    useSites(siteEntry("Empty", server->url("/empty.html")) + "*Off{http://127.0.0.1:9/}N\r\n" +
             siteEntry("Daily", server->url("/astropix.html")));

    QProcess program;
    program.start(kProgram, {"/start"});
    ASSERT_TRUE(program.waitForStarted());
    QElapsedTimer clock;
    clock.start();
    while (!RootPixmapProperty(xvfb->display(), "_XROOTPMAP_ID") && clock.elapsed() < 30000)
        QThread::msleep(50);
    ASSERT_TRUE(RootPixmapProperty(xvfb->display(), "_XROOTPMAP_ID")) << "no wallpaper set";
    ::kill(pid_t(program.processId()), SIGTERM);
    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);

    EXPECT_EQ(server->requestsFor("/empty.html").size(), 1);
    EXPECT_EQ(contents(data("Files.dat")), data("Images/Daily.jpg").toUtf8() + "\r\n");
    EXPECT_TRUE(contents(data("Settings.dat")).contains("\r\nCurrentSite=2\r\n"));
    EXPECT_TRUE(near(GrabRootWindow(xvfb->display()).pixel(400, 300), qRgb(30, 160, 60)));
}

TEST_F(EndToEndTest, OfflineCycleTouchesNoSite) {
    const QString unshare = QStandardPaths::findExecutable("unshare");
    if (unshare.isEmpty())
        GTEST_SKIP() << "unshare is not installed";
    QProcess probe;
    probe.start(unshare, {"--net", "true"});
    probe.waitForFinished();
    if (probe.exitCode() != 0)
        GTEST_SKIP() << "no rights to make a network namespace";

    writePicture(siteRoot() + "/image/today.jpg", QSize(640, 480), qRgb(200, 40, 40));
    writeRaw(siteRoot() + "/astropix.html", pageWith("image/today.jpg"));
    writeRaw(data("Sites.dat"), siteEntry("Daily", server->url("/astropix.html")));
    // The connection check is on, as by default.
    writeRaw(data("Settings.dat"), "[Settings]\r\nCheckTime=2\r\nCheckMethod=2\r\n");

    QByteArray out;
    EXPECT_EQ(run({"--net", kProgram, "--once"}, &out, unshare), 1);
    EXPECT_TRUE(out.contains("no network connection")) << out.toStdString();
    EXPECT_TRUE(out.contains("10 minutes")) << out.toStdString();
    EXPECT_TRUE(server->requests().isEmpty());
    EXPECT_EQ(contents(data("Files.dat")), "");
    EXPECT_TRUE(contents(data("Settings.dat")).contains("\r\nCurrentSite=-1\r\n"));
}

} // namespace
