#pragma once

#include <QSize>
#include <QString>

// Width and height from the header of a JPEG, BMP or GIF file, recognised by
// its content; an empty size for anything else or a damaged header. Reads
// only the header, never past the end of the file.
QSize ReadImageHeaderSize(const QString& fileName);
