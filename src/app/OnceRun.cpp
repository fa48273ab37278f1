#include "app/OnceRun.h"

#include "app/TfrmMain.h"
#include "platform/TerminationSignals.h"
#include "sites/SiteListModel.h"
#include "wallpaper/WallpaperComposer.h"

#include <QFileInfo>
#include <cstdio>
#include <unistd.h>

namespace {

void printLine(const QString& text) {
    std::printf("%s\n", text.toLocal8Bit().constData());
    std::fflush(stdout);
}

} // namespace

int RunOnce(Prompts& prompts, const QString& exeFileName, TerminationSignals& termination) {
    const bool terminal = isatty(STDOUT_FILENO) == 1;
    bool liveLineOpen = false;
    TfrmMainOptions options;
    options.prompts = &prompts;
    options.exeFileName = exeFileName;
    options.trayIcon = false;
    options.statusObserver = [terminal, &liveLineOpen](const QString& caption) {
        if (terminal) {
            std::printf("\r\033[K%s", caption.toLocal8Bit().constData());
            std::fflush(stdout);
            liveLineOpen = true;
        } else {
            printLine(caption);
        }
    };
    TfrmMain frmMain(options);
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &frmMain,
                     [&frmMain] { frmMain.RequestAbort(); });
    const QStringList before = frmMain.downloadList();
    frmMain.CheckForSites();
    const QStringList after = frmMain.downloadList();
    frmMain.close();
    if (liveLineOpen)
        std::printf("\n");

    // A picture taken is appended, and trimming only takes from the front.
    const bool taken = !after.isEmpty() && after != before;
    if (taken) {
        const QString wallpaper = WallpaperComposer::ComposedWallpaperFileName();
        if (frmMain.NoWallpaperChanging() || !QFileInfo::exists(wallpaper))
            printLine("New picture: " + after.last() + " (the wallpaper was not changed)");
        else
            printLine("New picture: " + after.last() + "; wallpaper: " + wallpaper);
        return 0;
    }
    if (frmMain.cycle().skippedOffline())
        printLine("No picture taken: there is no network connection (the next try would come "
                  "in 10 minutes).");
    else if (!frmMain.sites().Check4CurrentSite())
        printLine("No picture taken: no site is ticked in the site list.");
    else
        printLine("No picture taken: no ticked site had a new picture.");
    return 1;
}
