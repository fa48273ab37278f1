// Paints the demo site's pictures: landscapes with a sky gradient, a sun,
// layered hills and film grain, so they compress and scale like photographs.
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <cmath>
#include <cstdio>

namespace {

struct Scene {
    const char* file;
    QColor skyTop;
    QColor skyBottom;
    QColor sun;
    QColor land;
};

QImage paint(const Scene& scene, QSize size, quint32 seed) {
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, scene.skyTop);
    sky.setColorAt(1, scene.skyBottom);
    p.fillRect(image.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(scene.sun);
    const int r = size.height() / 9;
    p.drawEllipse(QPoint(size.width() * 2 / 3, size.height() / 3), r, r);
    QRandomGenerator random(seed);
    for (int layer = 0; layer < 4; ++layer) {
        QPainterPath hills;
        const double base = size.height() * (0.55 + 0.1 * layer);
        hills.moveTo(0, size.height());
        for (int x = 0; x <= size.width(); x += 8) {
            const double y =
                base + std::sin(x * (0.004 + 0.002 * layer) + layer) * 40 + random.bounded(6);
            hills.lineTo(x, y);
        }
        hills.lineTo(size.width(), size.height());
        p.setBrush(scene.land.darker(100 + 35 * layer));
        p.drawPath(hills);
    }
    p.end();
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int n = int(random.bounded(25)) - 12;
            const QRgb c = line[x];
            line[x] = qRgb(qBound(0, qRed(c) + n, 255), qBound(0, qGreen(c) + n, 255),
                           qBound(0, qBlue(c) + n, 255));
        }
    }
    return image;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    const Scene scenes[] = {
        {"day1.jpg", QColor(40, 90, 170), QColor(250, 190, 120), QColor(255, 245, 200),
         QColor(60, 120, 60)},
        {"day2.jpg", QColor(20, 20, 60), QColor(200, 80, 60), QColor(255, 200, 120),
         QColor(90, 70, 50)},
        {"day3.jpg", QColor(120, 180, 230), QColor(230, 240, 250), QColor(255, 255, 240),
         QColor(40, 100, 90)},
    };
    quint32 seed = 1;
    for (const Scene& scene : scenes) {
        const QString path = folder + "/" + scene.file;
        if (!paint(scene, QSize(1600, 1000), seed++).save(path, "JPEG", 90)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
