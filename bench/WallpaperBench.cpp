// Times the "new picture to composed bitmap" step: a sized load, a Lanczos fit
// onto the screen and a 24-bit bitmap save. Prints the best of the runs in ms.
// Usage: WallpaperBench <picture.jpg> <screen width> <screen height> <out.bmp> [runs]

#include "platform/Prompts.h"
#include "wallpaper/TIEFunctions.h"

#include <QElapsedTimer>
#include <QImage>
#include <QString>
#include <cstdio>
#include <cstdlib>

namespace {

class SilentPrompts : public Prompts {
public:
    PromptAnswer show(PromptKind, PromptButtons, const QString& text) override {
        std::fprintf(stderr, "%s\n", qPrintable(text));
        return PromptAnswer::Ok;
    }
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s picture.jpg width height out.bmp [runs]\n", argv[0]);
        return 2;
    }
    const QString picture = QString::fromLocal8Bit(argv[1]);
    const int width = std::atoi(argv[2]);
    const int height = std::atoi(argv[3]);
    const QString output = QString::fromLocal8Bit(argv[4]);
    const int runs = argc > 5 ? std::max(1, std::atoi(argv[5])) : 1;
    SilentPrompts prompts;
    TIEFunctions functions(prompts);
    functions.OnErrorLog = [](const QString& text) {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    };
    qint64 best = -1;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        QImage bitmap;
        if (!functions.LoadImageFile(bitmap, picture, width, height) ||
            !functions.FitBitmap(bitmap, width, height, true, 2) ||
            !functions.SaveBitmapFile(bitmap, output))
            return 1;
        const qint64 elapsed = timer.nsecsElapsed();
        best = best < 0 ? elapsed : std::min(best, elapsed);
    }
    std::printf("%.1f\n", best / 1e6);
    return 0;
}
