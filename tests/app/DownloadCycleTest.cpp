#include "app/DownloadCycle.h"

#include "TestHttpServer.h"
#include "download/HttpTransfer.h"
#include "download/TransferState.h"
#include "platform/LongTimer.h"
#include "sites/SiteEntry.h"
#include "sites/SiteListModel.h"

#include <QElapsedTimer>
#include <QMap>
#include <QStringList>
#include <QTimer>
#include <climits>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

struct ProcessCall {
    QString name;
    QString url;
    bool allowGIF;
    bool setAsWallpaper;
    bool showMessages;
    bool onlyNew;
    bool timerActive; // the cycle timer's state while the site was processed
};

// Plays the main window: scripted ProcessSite results per site name, and a
// record of everything the cycle asked of it.
class RecordingHost : public DownloadCycleHost {
public:
    explicit RecordingHost(const LongTimer& timer) : m_timer(&timer) {}

    bool ProcessSite(const QString& siteName, const QString& siteURL, bool allowGIF,
                     bool setAsWallpaper, bool showMessages, bool onlyNew) override {
        calls.append({siteName, siteURL, allowGIF, setAsWallpaper, showMessages, onlyNew,
                      m_timer->isActive()});
        if (onProcess)
            return onProcess(calls.last());
        return newImage.value(siteName, false);
    }
    void SetProcessing(bool busy) override { processing.append(busy); }
    void UpdateDisplay() override { ++displayUpdates; }
    bool IsConnected() override { return connected; }
    bool DownloadFromAll() const override { return downloadFromAll; }
    bool ActiveNetConnection() const override { return activeNetConnection; }
    bool NoWallpaperChanging() const override { return noWallpaperChanging; }
    int CheckCount() const override { return checkCount; }
    int CheckUnit() const override { return checkUnit; }

    QStringList processedNames() const {
        QStringList names;
        for (const ProcessCall& call : calls)
            names << call.name;
        return names;
    }
    QStringList wallpaperSetters() const {
        QStringList names;
        for (const ProcessCall& call : calls)
            if (call.setAsWallpaper)
                names << call.name;
        return names;
    }

    // Whether the named site yields a new picture.
    QMap<QString, bool> newImage;
    // Replaces the scripted result when set.
    std::function<bool(const ProcessCall&)> onProcess;
    QList<ProcessCall> calls;
    QList<bool> processing;
    int displayUpdates = 0;
    bool connected = true;
    bool downloadFromAll = false;
    bool activeNetConnection = false;
    bool noWallpaperChanging = false;
    int checkCount = 1;
    int checkUnit = 0;

private:
    const LongTimer* m_timer;
};

struct SiteRow {
    const char* name;
    bool ticked;
    bool newImage;
};

class DownloadCycleTest : public ::testing::Test {
protected:
    // Rows whose URL is http://<name lowercased>.example/ and whose GIF flag is
    // set on every other row, so each call shows it got its own row's values.
    void setSites(const QList<SiteRow>& rows) {
        QList<SiteListModel::Row> model;
        for (int i = 0; i < rows.size(); ++i) {
            const QString name = rows[i].name;
            model.append({ComposeSiteEntry(name, url(name), i % 2 == 1), rows[i].ticked});
            host.newImage[name] = rows[i].newImage;
        }
        sites.setRows(model);
    }
    static QString url(const QString& name) { return "http://" + name.toLower() + ".example/"; }
    // Every call made with the row's own URL and GIF flag, as a cycle passes them.
    void expectCycleCalls() const {
        for (const ProcessCall& call : host.calls) {
            const int row = call.name.at(0).unicode() - 'A';
            EXPECT_EQ(call.url, url(call.name));
            EXPECT_EQ(call.allowGIF, row % 2 == 1) << call.name.toStdString();
            EXPECT_FALSE(call.showMessages);
            EXPECT_TRUE(call.onlyNew);
            EXPECT_FALSE(call.timerActive) << "the timer must be off while a cycle runs";
        }
    }
    // Busy on and off once, the timer on with the chosen interval.
    void expectCycleEnded(qint64 intervalMs = 60000) const {
        EXPECT_EQ(host.processing, (QList<bool>{true, false}));
        EXPECT_TRUE(timer.isActive());
        EXPECT_EQ(timer.interval(), intervalMs);
    }

    LongTimer timer;
    RecordingHost host{timer};
    SiteListModel sites;
    TransferState transfer;
    int currentSite = -1;
    DownloadCycle cycle{host, sites, currentSite, transfer, timer};
};

struct RotationCase {
    const char* what;
    QList<SiteRow> rows;
    int startSite;
    QStringList processed;
    int endSite;
};

TEST_F(DownloadCycleTest, OneSitePerCycleRotatesUntilANewImage) {
    const RotationCase cases[] = {
        {"the first of three ticked rows yields",
         {{"A", true, true}, {"B", true, true}, {"C", true, true}},
         -1,
         {"A"},
         0},
        {"a row without a new image hands the turn on, past an unticked one",
         {{"A", true, false}, {"B", false, true}, {"C", true, true}},
         -1,
         {"A", "C"},
         2},
        {"one ticked row among five is fetched five times",
         {{"A", false, false},
          {"B", false, false},
          {"C", true, false},
          {"D", false, false},
          {"E", false, false}},
         -1,
         {"C", "C", "C", "C", "C"},
         2},
        {"no ticked row among four: five steps from 1 end at 2",
         {{"A", false, true}, {"B", false, true}, {"C", false, true}, {"D", false, true}},
         1,
         {},
         2},
        {"a current site beyond a shrunk list starts at row 0",
         {{"A", true, true}, {"B", true, true}, {"C", true, true}},
         7,
         {"A"},
         0},
        {"the largest current site a settings file can hold starts at row 0",
         {{"A", true, true}, {"B", true, true}, {"C", true, true}},
         INT_MAX,
         {"A"},
         0},
        {"a current site below -1 counts as none yet",
         {{"A", true, true}, {"B", true, true}, {"C", true, true}},
         -5,
         {"A"},
         0},
        {"the last row wraps to the first",
         {{"A", true, true}, {"B", true, true}, {"C", true, true}},
         2,
         {"A"},
         0},
        {"no row yields: each ticked row once, as many tries as rows",
         {{"A", true, false}, {"B", true, false}, {"C", true, false}},
         0,
         {"B", "C", "A"},
         0},
        {"an empty list", {}, -1, {}, -1},
    };
    for (const RotationCase& c : cases) {
        SCOPED_TRACE(c.what);
        host = RecordingHost(timer);
        timer.stop();
        setSites(c.rows);
        currentSite = c.startSite;

        cycle.CheckForSites();

        EXPECT_EQ(host.processedNames(), c.processed);
        EXPECT_EQ(host.wallpaperSetters(), c.processed) << "each turn may set the wallpaper";
        EXPECT_EQ(currentSite, c.endSite);
        EXPECT_EQ(host.displayUpdates, c.processed.size()) << "once per site found";
        expectCycleCalls();
        expectCycleEnded();
        EXPECT_FALSE(cycle.skippedOffline());
    }
}

struct AllSitesCase {
    const char* what;
    QList<SiteRow> rows;
    int startSite;
    bool noWallpaperChanging;
    QStringList processed;
    QStringList wallpaperSetters;
    int endSite;
};

TEST_F(DownloadCycleTest, AllSitesProcessEveryTickedRowButOnlyTheCurrentSetsTheWallpaper) {
    const AllSitesCase cases[] = {
        {"three ticked rows from 0: the turn moves to B",
         {{"A", true, false}, {"B", true, false}, {"C", true, false}},
         0,
         false,
         {"A", "B", "C"},
         {"B"},
         1},
        {"results are not looked at; unticked rows are skipped",
         {{"A", true, true}, {"B", false, true}, {"C", true, true}},
         0,
         false,
         {"A", "C"},
         {"C"},
         2},
        {"no wallpaper changing: nobody sets it",
         {{"A", true, true}, {"B", true, true}, {"C", true, true}},
         -1,
         true,
         {"A", "B", "C"},
         {},
         0},
        {"no ticked row: nothing is processed",
         {{"A", false, true}, {"B", false, true}},
         0,
         false,
         {},
         {},
         1},
        {"an empty list", {}, -1, false, {}, {}, 0},
    };
    for (const AllSitesCase& c : cases) {
        SCOPED_TRACE(c.what);
        host = RecordingHost(timer);
        host.downloadFromAll = true;
        host.noWallpaperChanging = c.noWallpaperChanging;
        timer.stop();
        setSites(c.rows);
        currentSite = c.startSite;

        cycle.CheckForSites();

        EXPECT_EQ(host.processedNames(), c.processed);
        EXPECT_EQ(host.wallpaperSetters(), c.wallpaperSetters);
        EXPECT_EQ(currentSite, c.endSite);
        expectCycleCalls();
        expectCycleEnded();
    }
}

TEST_F(DownloadCycleTest, NoWallpaperChangingKeepsEveryTurnFromSettingIt) {
    setSites({{"A", true, false}, {"B", true, true}});
    host.noWallpaperChanging = true;
    cycle.CheckForSites();
    EXPECT_EQ(host.processedNames(), (QStringList{"A", "B"}));
    EXPECT_TRUE(host.wallpaperSetters().isEmpty());
}

TEST_F(DownloadCycleTest, IntervalComesFromCountAndUnit) {
    const struct {
        int count;
        int unit;
        qint64 ms;
    } cases[] = {
        {15, 0, 900000},   {8, 1, 28800000},          {2, 2, 172800000},       {1, 0, 60000},
        {8, -1, 28800000}, {2400, 2, 207360000000LL}, {2400, 1, 8640000000LL}, {3, 7, 10800000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " in unit " << c.unit);
        EXPECT_EQ(GetCheckMinutes(c.count, c.unit) * 60000, c.ms);
        host = RecordingHost(timer);
        host.checkCount = c.count;
        host.checkUnit = c.unit;
        timer.stop();

        cycle.CheckForSites();

        expectCycleEnded(c.ms);
        EXPECT_GT(timer.remainingTime(), c.ms - 5000);
        EXPECT_LE(timer.remainingTime(), c.ms);
    }
}

TEST_F(DownloadCycleTest, DisableTimerKeepsTheInterval) {
    host.checkCount = 2;
    host.checkUnit = 2;
    cycle.EnableTimer();
    cycle.DisableTimer();
    EXPECT_FALSE(timer.isActive());
    EXPECT_EQ(timer.interval(), 172800000);
}

TEST_F(DownloadCycleTest, OfflineWithActiveNetConnectionSkipsTheCycle) {
    setSites({{"A", true, true}, {"B", true, true}});
    host.activeNetConnection = true;
    host.connected = false;
    host.checkCount = 2;
    host.checkUnit = 2;
    currentSite = 0;
    transfer.AbortRequested = true;

    cycle.CheckForSites();

    EXPECT_TRUE(cycle.skippedOffline());
    EXPECT_TRUE(host.calls.isEmpty());
    EXPECT_TRUE(host.processing.isEmpty()) << "no busy period";
    EXPECT_EQ(host.displayUpdates, 0);
    EXPECT_EQ(currentSite, 0);
    EXPECT_FALSE(transfer.AbortRequested);
    EXPECT_TRUE(timer.isActive());
    EXPECT_EQ(timer.interval(), DownloadCycle::kOfflineRetryMs);
    EXPECT_EQ(DownloadCycle::kOfflineRetryMs, 600000);

    // Once the connection is back, the next cycle runs with the chosen interval.
    host.connected = true;
    cycle.CheckForSites();
    EXPECT_FALSE(cycle.skippedOffline());
    EXPECT_EQ(host.processedNames(), QStringList{"B"});
    expectCycleEnded(172800000);
}

TEST_F(DownloadCycleTest, OfflineWithoutActiveNetConnectionStillRuns) {
    setSites({{"A", true, true}});
    host.connected = false;
    cycle.CheckForSites();
    EXPECT_FALSE(cycle.skippedOffline());
    EXPECT_EQ(host.processedNames(), QStringList{"A"});
    expectCycleEnded();
}

TEST_F(DownloadCycleTest, AnErrorInSiteProcessingEndsTheBusyPeriodAndRearmsTheTimer) {
    for (const bool all : {false, true}) {
        SCOPED_TRACE(all ? "all sites" : "one site per cycle");
        host = RecordingHost(timer);
        host.downloadFromAll = all;
        host.onProcess = [](const ProcessCall&) -> bool { throw std::runtime_error("broken"); };
        timer.stop();
        setSites({{"A", true, false}, {"B", true, false}});
        currentSite = -1;
        bool caught = false;
        try {
            cycle.CheckForSites();
        } catch (const std::runtime_error&) {
            caught = true;
            // Checked here: the guard must have run before the error arrives.
            EXPECT_EQ(host.processing, (QList<bool>{true, false}));
            EXPECT_TRUE(timer.isActive());
            EXPECT_EQ(timer.interval(), 60000);
        }
        EXPECT_TRUE(caught);
        EXPECT_EQ(host.processedNames(), QStringList{"A"});
    }
}

TEST_F(DownloadCycleTest, AbortDuringACycleEndsItBeforeTheNextSite) {
    for (const bool all : {false, true}) {
        SCOPED_TRACE(all ? "all sites" : "one site per cycle");
        host = RecordingHost(timer);
        host.downloadFromAll = all;
        // As when the main window is opened from the tray: the timer is
        // stopped and the running cycle asked to end.
        host.onProcess = [this](const ProcessCall&) {
            cycle.DisableTimer();
            transfer.AbortRequested = true;
            return false;
        };
        timer.stop();
        setSites({{"A", true, false}, {"B", true, false}, {"C", true, false}});
        currentSite = -1;
        // A request left over from before does not stop the new cycle.
        transfer.AbortRequested = true;

        cycle.CheckForSites();

        EXPECT_EQ(host.processedNames(), QStringList{"A"});
        expectCycleEnded();
    }
}

TEST_F(DownloadCycleTest, SetSiteCurrentDownloadsFromThatRowWithMessages) {
    setSites({{"A", true, false}, {"B", false, false}, {"C", true, false}});
    host.checkCount = 5;
    for (const bool running : {false, true}) {
        for (const bool noWallpaper : {false, true}) {
            SCOPED_TRACE(testing::Message()
                         << "timer running " << running << ", no wallpaper " << noWallpaper);
            host.calls.clear();
            host.processing.clear();
            host.noWallpaperChanging = noWallpaper;
            timer.setInterval(123456);
            if (running)
                timer.start();
            else
                timer.stop();
            currentSite = 0;

            // An unticked row can be chosen from the tray menu too.
            cycle.SetSiteCurrent(1, true);

            ASSERT_EQ(host.calls.size(), 1);
            const ProcessCall& call = host.calls.first();
            EXPECT_EQ(call.name, "B");
            EXPECT_EQ(call.url, url("B"));
            EXPECT_TRUE(call.allowGIF);
            EXPECT_EQ(call.setAsWallpaper, !noWallpaper);
            EXPECT_TRUE(call.showMessages);
            EXPECT_FALSE(call.onlyNew);
            EXPECT_EQ(call.timerActive, running);
            EXPECT_EQ(currentSite, 1);
            EXPECT_EQ(host.processing, (QList<bool>{true, false}));
            EXPECT_EQ(host.displayUpdates, 0);
            EXPECT_EQ(timer.isActive(), running);
            EXPECT_EQ(timer.interval(), 123456);
        }
    }
}

TEST_F(DownloadCycleTest, SetSiteCurrentWithoutProcessOnlyMovesTheTurn) {
    setSites({{"A", true, false}, {"B", true, false}});
    cycle.SetSiteCurrent(1, false);
    EXPECT_TRUE(host.calls.isEmpty());
    EXPECT_EQ(currentSite, 1);
    EXPECT_EQ(host.processing, (QList<bool>{true, false}));
    EXPECT_FALSE(timer.isActive());
}

TEST_F(DownloadCycleTest, SetSiteCurrentEndsTheBusyPeriodOnAnError) {
    setSites({{"A", true, false}});
    host.onProcess = [](const ProcessCall&) -> bool { throw std::runtime_error("broken"); };
    EXPECT_THROW(cycle.SetSiteCurrent(0, true), std::runtime_error);
    EXPECT_EQ(host.processing, (QList<bool>{true, false}));
    EXPECT_FALSE(timer.isActive());
}

struct SilentOutput : StatusOutput {
    void ShowCaption(const QString&) override {}
    void ShowToolTip(const QString&) override {}
};

// A timer tick while a cycle's transfer pumps events runs a second cycle
// inside the first; the transfer's one-at-a-time rule must stop both.
TEST_F(DownloadCycleTest, ANestedCycleIsRefusedAndStopsBothCycles) {
    TestHttpServer server;
    ASSERT_TRUE(server.isRunning()) << server.error().toStdString();
    server.route("/slow", {.body = "<html>late</html>", .headerDelay = 10});
    server.route("/b", {.body = "<html>b</html>"});

    SilentOutput output;
    StatusDisplay display(output);
    HttpTransfer http(transfer, display);
    sites.setRows({{ComposeSiteEntry("A", server.url("/slow"), false), true},
                   {ComposeSiteEntry("B", server.url("/b"), false), true}});

    QList<QByteArray> pages;
    int depth = 0;
    host.onProcess = [&](const ProcessCall& call) {
        ++depth;
        if (depth == 1)
            QTimer::singleShot(100, [&] { cycle.CheckForSites(); });
        const QByteArray page = http.GetPageText(call.url);
        pages << page;
        --depth;
        return !page.isEmpty();
    };

    QElapsedTimer clock;
    clock.start();
    cycle.CheckForSites();

    EXPECT_LT(clock.elapsed(), 8000) << "the interrupted download must stop at its next check";
    // Outer A, then nested B; B's fetch was refused, A's was cut short, and
    // neither cycle went on to another site.
    EXPECT_EQ(host.processedNames(), (QStringList{"A", "B"}));
    EXPECT_EQ(pages, (QList<QByteArray>{QByteArray(), QByteArray()}));
    EXPECT_TRUE(server.requestsFor("/b").isEmpty());
    EXPECT_EQ(server.requestsFor("/slow").size(), 1);
    EXPECT_EQ(currentSite, 1);
    EXPECT_TRUE(transfer.AbortRequested);
    EXPECT_FALSE(transfer.TransferActive);
    EXPECT_EQ(host.processing, (QList<bool>{true, true, false, false}));
    EXPECT_TRUE(timer.isActive());
    EXPECT_EQ(timer.interval(), 60000);
}

} // namespace
