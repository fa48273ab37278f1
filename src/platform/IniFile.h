#pragma once

#include <QString>
#include <QStringList>

// An INI file read once and written back whole, atomically, on every write,
// so each value reaches the disk when it is written and a failed write
// leaves the previous file intact. Sections and keys match without regard
// to case; values are trimmed; other sections and keys are kept.
class IniFile {
public:
    explicit IniFile(const QString& path);

    const QString& path() const { return m_path; }

    // The value, or the default when the key is missing.
    QString ReadString(const QString& section, const QString& key,
                       const QString& defaultValue) const;

    // Raises EDayglassError when the file cannot be written.
    void WriteString(const QString& section, const QString& key, const QString& value);

private:
    qsizetype sectionLine(const QString& section) const;
    qsizetype keyLine(qsizetype sectionAt, const QString& key) const;

    QString m_path;
    QStringList m_lines;
};
