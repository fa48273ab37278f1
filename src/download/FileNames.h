#pragma once

#include <QString>

// The extension of a file name or URL: from its last "." to the end, unless
// a "\" or ":" follows that "."; empty otherwise. A URL's "/" does not end it.
QString ExtensionOf(const QString& name);

// Whether the name's extension is listed in the filter ("*.jpg;*.bmp;",
// "," also separating); "*.*" accepts every name.
bool MatchesFileFilter(const QString& name, const QString& filter);

// Whether the name's extension is .jpg, .jpeg or .jpe in any case.
bool IsJpegFileName(const QString& name);

// The wanted path when nothing exists there, else the first free path made
// by adding "_" and a counter to its stem; a stem already ending in "_n"
// continues counting from n + 1.
QString UniqueFileName(const QString& wanted);

// The size in bytes of the directory entry, or -1 when there is none.
qint64 FileSizeOf(const QString& name);

// A site name turned into a file stem that stays inside its folder: "/" and
// control characters become "_", and "." and ".." become "_".
QString SiteFileStem(const QString& siteName);
