#pragma once

#include <QString>

// Whether a BMP or GIF file holds all the data of its (first) picture. Qt's
// readers accept truncated files and fill the missing part; we refuse them.
// Files of other formats count as complete.
bool ImageDataComplete(const QString& fileName, const QByteArray& format);
