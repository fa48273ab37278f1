#pragma once

#include <QByteArray>
#include <QStringList>

// Appends the src value of every img tag in the page to links: first the
// double-quoted sources in page order, then the unquoted ones. A page so
// pathological that matching hits the engine's limits yields the links
// found up to that point.
void FindImageLinks(const QByteArray& pageText, QStringList& links);
