#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Text files are lines; CR LF, a lone CR and a lone LF each end a line on
// reading, and every line written ends with CR LF. Text is UTF-8.

// Splits a text into lines by the rule above; a final line end adds no line.
QStringList SplitTextLines(const QString& text);

// The lines of a file, or nothing when it cannot be opened or read.
std::optional<QStringList> ReadTextLines(const QString& path);

// Replaces the file with the lines. The old file stays whole until the new
// one is complete on disk, so a failed or interrupted write loses nothing.
// On failure, error (when given) receives the system's reason.
bool WriteTextLines(const QString& path, const QStringList& lines, QString* error = nullptr);

// The same for raw bytes.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);
