#include "platform/TextFile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QStringList SplitTextLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

std::optional<QStringList> ReadTextLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return SplitTextLines(QString::fromUtf8(bytes));
}

namespace {

// Writes all of bytes or fails; a short write (full disk, size limit) is a failure.
bool writeAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        left -= n;
    }
    return true;
}

} // namespace

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error) {
    // QSaveFile is not used: it reports a short write as success.
    const QByteArray target = QFile::encodeName(path);
    QByteArray temp = target + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        if (error)
            *error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    struct stat existing {};
    const mode_t mode =
        ::stat(target.constData(), &existing) == 0 ? existing.st_mode & 07777 : mode_t(0644);
    bool ok = ::fchmod(fd, mode) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    const int savedErrno = errno;
    ok = ::close(fd) == 0 && ok;
    if (ok)
        ok = ::rename(temp.constData(), target.constData()) == 0;
    if (!ok) {
        if (error)
            *error = QString::fromLocal8Bit(std::strerror(savedErrno ? savedErrno : errno));
        ::unlink(temp.constData());
        return false;
    }
    return true;
}

bool WriteTextLines(const QString& path, const QStringList& lines, QString* error) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return WriteFileAtomically(path, bytes, error);
}
