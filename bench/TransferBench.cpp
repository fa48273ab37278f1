// Downloads one URL into a file through DownloadToFile, as often as asked,
// and prints the throughput of each run in MB/s (10^6 bytes per second).
// Usage: TransferBench <url> <output file> [runs]

#include "download/HttpTransfer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <cstdio>

namespace {

// Counts what the main window would be asked to show.
struct CountingOutput : StatusOutput {
    void ShowCaption(const QString&) override { ++captions; }
    void ShowToolTip(const QString&) override { ++toolTips; }
    int captions = 0;
    int toolTips = 0;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <url> <output file> [runs]\n", argv[0]);
        return 2;
    }
    const QString url = QString::fromLocal8Bit(argv[1]);
    const QString file = QString::fromLocal8Bit(argv[2]);
    const int runs = argc > 3 ? std::atoi(argv[3]) : 5;
    TransferState state;
    CountingOutput output;
    StatusDisplay display(output);
    HttpTransfer transfer(state, display);
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        if (!transfer.DownloadToFile(url, file)) {
            std::fprintf(stderr, "download failed\n");
            return 1;
        }
        const double seconds = clock.nsecsElapsed() / 1e9;
        const qint64 bytes = QFileInfo(file).size();
        std::printf("DownloadToFile %lld bytes %.3f s %.1f MB/s (%d caption updates)\n",
                    static_cast<long long>(bytes), seconds, bytes / seconds / 1e6, output.captions);
    }
    return 0;
}
