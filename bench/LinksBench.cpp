// FindImageLinks on a 5 MB generated page against perl running the same two
// patterns on the same page; both report the best of several runs.
#include "download/ImageLinks.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>

namespace {

// HTML much like a real picture page: text, links, scripts and img tags in
// the forms the patterns take, about one tag in every kilobyte.
QByteArray MakePage(qsizetype size) {
    static const QByteArray pieces[] = {
        "<p>The galaxy lies some 30 million light-years away in the constellation of the "
        "Hunting Dogs; its spiral arms are traced by young blue stars and dust.</p>\n",
        "<a href=\"archivepix.html\">Archive</a> | <a href=\"lib/aptree.html\">Index</a>\n",
        "<IMG SRC=\"image/2006/Orion_960.jpg\" alt=\"Orion\" style=\"max-width:100%\">\n",
        "<img src=thumbs/small.gif width=120 height=80>\n",
        "<img class=\"lazy\" src=\"data/p.png\" data-src=\"data/big.jpg\" width=\"640\">\n",
        "<script>var x = 1 < 2 && 3 > 2; document.write('<b>' + x + '</b>');</script>\n",
        "<div class=\"c\"><span>Credit &amp; Copyright: A. Astronomer</span></div>\n",
        "<img\nsrc='quoted/single.jpg'\nlowsrc=\"low/l.jpg\">\n",
        "<table><tr><td>&lt;img src=&quot;no&quot;&gt;</td></tr></table>\n",
    };
    static const int weights[] = {30, 12, 2, 2, 2, 6, 10, 1, 3};
    QRandomGenerator random(5);
    int total = 0;
    for (int w : weights)
        total += w;
    QByteArray page;
    page.reserve(size + 512);
    while (page.size() < size) {
        int pick = random.bounded(total);
        int i = 0;
        while (pick >= weights[i])
            pick -= weights[i++];
        page += pieces[i];
    }
    return page;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = 7;
    const QByteArray page = MakePage(5 * 1024 * 1024);

    double best = 1e9;
    qsizetype links = 0;
    for (int r = 0; r < runs; ++r) {
        QStringList found;
        const auto start = std::chrono::steady_clock::now();
        FindImageLinks(page, found);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
        links = found.size();
    }

    QTemporaryDir dir;
    QFile file(dir.filePath("page.html"));
    if (!file.open(QIODevice::WriteOnly) || file.write(page) != page.size())
        return 1;
    file.close();
    QProcess perl;
    perl.start("perl",
               {DAYGLASS_BENCH_DIR "/links_bench.pl", file.fileName(), QString::number(runs)});
    if (!perl.waitForFinished(600'000) || perl.exitCode() != 0) {
        std::fprintf(stderr, "perl failed: %s\n", perl.readAllStandardError().constData());
        return 1;
    }
    const QList<QByteArray> perlOut = perl.readAllStandardOutput().trimmed().split(' ');
    const double perlBest = perlOut.value(0).toDouble();
    const qsizetype perlLinks = perlOut.value(1).toLongLong();

    const double mb = double(page.size()) / (1024 * 1024);
    std::printf("page: %.1f MB, best of %d runs\n", mb, runs);
    std::printf("FindImageLinks: %8.2f ms  %8.1f MB/s  %lld links\n", best * 1000, mb / best,
                static_cast<long long>(links));
    std::printf("perl          : %8.2f ms  %8.1f MB/s  %lld links\n", perlBest * 1000,
                mb / perlBest, static_cast<long long>(perlLinks));
    std::printf("speed against perl: %.2fx%s\n", perlBest / best,
                links == perlLinks ? "" : "  (LINK COUNTS DIFFER)");
    return links == perlLinks ? 0 : 2;
}
