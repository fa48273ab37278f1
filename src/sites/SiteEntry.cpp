#include "sites/SiteEntry.h"

QString ComposeSiteEntry(const QString& name, const QString& url, bool hasGIF) {
    if (name.isEmpty() || url.isEmpty())
        return {};
    return name + QString(18, u' ') + "{" + url + "}" + (hasGIF ? "G" : "N");
}

QString TrimTrailingSpaces(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == u' ')
        --end;
    return text.left(end);
}

QString GetSiteName(const QString& entry) {
    const qsizetype brace = entry.indexOf(u'{');
    return TrimTrailingSpaces(brace < 0 ? entry : entry.left(brace));
}

QString GetSiteURL(const QString& entry) {
    // Positions counted from 1, 0 when absent, each brace found on its own.
    const qsizetype a = entry.indexOf(u'{') + 1;
    const qsizetype b = entry.indexOf(u'}') + 1;
    QString url = b > 0 ? entry.left(b - 1) : entry;
    if (a > 0)
        url = url.size() < a ? QString() : url.mid(a);
    return url;
}

bool GetSiteHasGIF(const QString& entry) {
    return !entry.isEmpty() && entry.back() == u'G';
}
