#include "download/UrlParts.h"

namespace {

// RFC 3986: ALPHA *( ALPHA / DIGIT / "+" / "-" / "." )
bool IsSchemeName(QStringView text) {
    if (text.isEmpty() || !text.front().isLetter() || text.front().unicode() > 127)
        return false;
    for (QChar c : text)
        if (c.unicode() > 127 || !(c.isLetterOrNumber() || c == '+' || c == '-' || c == '.'))
            return false;
    return true;
}

} // namespace

UrlParts SplitURL(const QString& URL) {
    UrlParts parts{QStringLiteral("http"), {}, {}};
    QStringView rest(URL);
    const qsizetype marker = URL.indexOf(QLatin1String("://"));
    if (marker >= 0 && IsSchemeName(rest.left(marker))) {
        parts.Scheme = rest.left(marker).toString().toLower();
        rest = rest.mid(marker + 3);
    }
    const qsizetype slash = rest.indexOf('/');
    if (slash >= 0) {
        parts.Host = rest.left(slash).toString();
        parts.Path = rest.mid(slash).toString();
    } else {
        parts.Host = rest.toString();
    }
    return parts;
}

bool IsTransferScheme(const QString& scheme) {
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

QString RequestURL(const UrlParts& parts) {
    return parts.Scheme + QLatin1String("://") + parts.Host +
           (parts.Path.isEmpty() ? QStringLiteral("/") : parts.Path);
}
