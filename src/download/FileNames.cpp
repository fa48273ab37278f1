#include "download/FileNames.h"

#include <QFileInfo>

#include <algorithm>

namespace {

constexpr qint64 MaxCounter = 20'000'000;

bool Exists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

QString ExtensionOf(const QString& name) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return {};
    const QStringView tail = QStringView(name).mid(dot);
    if (tail.contains(QLatin1Char('\\')) || tail.contains(QLatin1Char(':')))
        return {};
    return tail.toString();
}

bool MatchesFileFilter(const QString& name, const QString& filter) {
    const QString list = QString(filter).replace(QLatin1Char(','), QLatin1Char(';'));
    QString ext = ExtensionOf(name).toUpper();
    if (ext.isEmpty() || ext == QLatin1String("."))
        ext = QStringLiteral(".NOTHING");
    if (list == QLatin1String("*.*") || list == QLatin1String("*.*;"))
        return true;
    return (list.toUpper() + QLatin1Char(';')).contains(ext + QLatin1Char(';'));
}

bool IsJpegFileName(const QString& name) {
    const QString ext = ExtensionOf(name).toLower();
    return ext == QLatin1String(".jpg") || ext == QLatin1String(".jpeg") ||
           ext == QLatin1String(".jpe");
}

QString UniqueFileName(const QString& wanted) {
    const qsizetype slash = wanted.lastIndexOf(QLatin1Char('/'));
    const QString folder = wanted.left(slash + 1);
    const QString fileName = wanted.mid(slash + 1);
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    QString stem = dot < 0 ? fileName : fileName.left(dot);
    const QString ext = dot < 0 ? QString() : fileName.mid(dot);

    qint64 counter = 1;
    if (Exists(wanted)) {
        // Only a number after a "_" of the stem counts, so the cut never
        // reaches into the folder and the result stays in it.
        const qsizetype underscore = stem.lastIndexOf(QLatin1Char('_'));
        const QString number = underscore < 0 ? QString() : stem.mid(underscore + 1);
        const bool allDigits =
            !number.isEmpty() && std::all_of(number.begin(), number.end(), [](QChar c) {
                return c.isDigit() && c.unicode() < 128;
            });
        const qint64 n = allDigits && number.size() < 19 ? number.toLongLong() : 0;
        if (n > 0) {
            counter = n + 1;
            stem.truncate(stem.indexOf(QLatin1Char('_') + number, 0, Qt::CaseInsensitive));
        }
    }
    const auto candidate = [&](qint64 c) {
        return c == 1 ? wanted : folder + stem + QLatin1Char('_') + QString::number(c) + ext;
    };
    // A counter already past the limit goes on until a name is free.
    if (counter > MaxCounter) {
        while (Exists(candidate(counter)))
            ++counter;
        return candidate(counter);
    }
    QString tried;
    for (; counter <= MaxCounter; ++counter) {
        tried = candidate(counter);
        if (!Exists(tried))
            break;
    }
    return tried;
}

qint64 FileSizeOf(const QString& name) {
    const QFileInfo info(QFileInfo(name).absoluteFilePath());
    return info.exists() ? info.size() : -1;
}

QString SiteFileStem(const QString& siteName) {
    if (siteName == QLatin1String(".") || siteName == QLatin1String(".."))
        return QStringLiteral("_");
    QString stem = siteName;
    for (QChar& c : stem)
        if (c == QLatin1Char('/') || c.unicode() < 0x20)
            c = QLatin1Char('_');
    return stem;
}
