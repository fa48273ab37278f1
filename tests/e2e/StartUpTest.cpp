// The real program's start-up, single instance and shutdown, in a temporary
// home under a private X server.
#include "TempHome.h"
#include "TestFiles.h"
#include "XvfbServer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

namespace {

const QString kProgram = DAYGLASS_BINARY_DIR "/src/app/dayglass";


// Whether the main window (titled "Dayglass", of class "dayglass") is mapped;
// Qt's own helper windows carry the title too but no class.
bool windowShown(const QString& display) {
    QProcess tree;
    tree.start("xwininfo", {"-display", display, "-root", "-tree"});
    tree.waitForFinished(10000);
    for (const QByteArray& line : tree.readAllStandardOutput().split('\n')) {
        if (!line.contains("\"Dayglass\": (\"dayglass\""))
            continue;
        QProcess info;
        info.start("xwininfo", {"-display", display, "-id", line.trimmed().split(' ').value(0)});
        info.waitForFinished(10000);
        if (info.readAllStandardOutput().contains("IsViewable"))
            return true;
    }
    return false;
}

bool waitFor(const std::function<bool()>& condition, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > ms)
            return false;
        QThread::msleep(50);
    }
    return true;
}

class StartUpTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!XvfbServer::available() || QStandardPaths::findExecutable("xwininfo").isEmpty())
            GTEST_SKIP() << "Xvfb or xwininfo is not installed";
        xvfb = std::make_unique<XvfbServer>();
        ASSERT_TRUE(xvfb->started()) << xvfb->error().toStdString();
        xvfb->exportDisplay();
        qputenv("DAYGLASS_WALLPAPER_BACKEND", "none");
        qunsetenv("QT_QPA_PLATFORM");
    }
    void TearDown() override {
        if (first.state() != QProcess::NotRunning) {
            ::kill(pid_t(first.processId()), SIGTERM);
            first.waitForFinished(10000);
        }
        qunsetenv("DAYGLASS_WALLPAPER_BACKEND");
    }

    // A site list whose one site refuses at once, so start-up downloads end quickly.
    void pointSitesNowhere() {
        QDir().mkpath(home.dataFolder());
        QFile sites(home.dataFolder() + "Sites.dat");
        ASSERT_TRUE(sites.open(QIODevice::WriteOnly));
        sites.write("Nowhere{http://127.0.0.1:9/}N\r\n");
    }

    void startFirst(const QStringList& arguments) {
        first.start(kProgram, arguments);
        ASSERT_TRUE(first.waitForStarted());
        // The running copy listens for later launches before it loads its state.
        ASSERT_TRUE(waitFor(
            [&] {
                return QDir(home.runtimeDir()).exists("dayglass.socket") &&
                       QFile::exists(home.dataFolder() + "Sites.dat");
            },
            20000));
    }
    int launchAgain(const QStringList& arguments) {
        QProcess again;
        again.start(kProgram, arguments);
        EXPECT_TRUE(again.waitForFinished(20000));
        return again.exitCode();
    }
    void terminateFirst() {
        ::kill(pid_t(first.processId()), SIGTERM);
        ASSERT_TRUE(first.waitForFinished(20000));
        EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
    }

    TempHome home;
    std::unique_ptr<XvfbServer> xvfb;
    QProcess first;
};

TEST_F(StartUpTest, FirstStartCreatesTheStateAndSigtermSavesTheDefaults) {
    // Without arguments no download runs, so nothing moves the current site.
    startFirst({});
    const QString data = home.dataFolder();
    EXPECT_TRUE(QFile::exists(data + "Sites.dat"));
    EXPECT_EQ(contents(data + "Sites.dat"), contents(DAYGLASS_SOURCE_DIR "/data/Source.dat"));
    terminateFirst();

    const QByteArray expected = defaultSettingsText(data + "Images/");
    EXPECT_EQ(contents(data + "Settings.dat").toStdString(), expected.toStdString());

    // A second start reads it all back and saves it unchanged.
    startFirst({});
    terminateFirst();
    EXPECT_EQ(contents(data + "Settings.dat").toStdString(), expected.toStdString());
}

TEST_F(StartUpTest, ALaterLaunchHandsOverAndEnds) {
    pointSitesNowhere();
    startFirst({"/start"});
    EXPECT_FALSE(windowShown(xvfb->display()));

    EXPECT_EQ(launchAgain({"/start"}), 0);
    QThread::msleep(300);
    EXPECT_FALSE(windowShown(xvfb->display()));
    EXPECT_EQ(first.state(), QProcess::Running);

    EXPECT_EQ(launchAgain({}), 0);
    EXPECT_TRUE(waitFor([&] { return windowShown(xvfb->display()); }, 10000));
    EXPECT_EQ(first.state(), QProcess::Running);
}

TEST_F(StartUpTest, StartWithoutArgumentsShowsTheWindowAndStartHiddenDoesNot) {
    startFirst({});
    EXPECT_TRUE(waitFor([&] { return windowShown(xvfb->display()); }, 10000));
    terminateFirst();
    pointSitesNowhere();
    startFirst({"/StArT"});
    QThread::msleep(500);
    EXPECT_FALSE(windowShown(xvfb->display()));
}

} // namespace
