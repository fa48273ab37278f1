#pragma once

#include <QString>

// The address to fetch for a link found on the page at baseUrl: the link
// itself when the base is empty or the link holds "TP:/" in any case;
// otherwise the link resolved against the base, with unsafe characters
// percent-encoded and trailing white space removed. Empty when the result
// cannot be made or would be longer than 500 characters.
QString ResolveLink(const QString& baseUrl, const QString& link);
