#include "platform/IniFile.h"

#include "platform/Errors.h"
#include "platform/TextFile.h"

namespace {

bool isSectionLine(const QString& line) {
    const QString t = line.trimmed();
    return t.startsWith(u'[') && t.endsWith(u']');
}

QString sectionName(const QString& line) {
    const QString t = line.trimmed();
    return t.mid(1, t.size() - 2).trimmed();
}

} // namespace

IniFile::IniFile(const QString& path)
    : m_path(path), m_lines(ReadTextLines(path).value_or(QStringList())) {}

qsizetype IniFile::sectionLine(const QString& section) const {
    for (qsizetype i = 0; i < m_lines.size(); ++i)
        if (isSectionLine(m_lines[i]) &&
            sectionName(m_lines[i]).compare(section, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

qsizetype IniFile::keyLine(qsizetype sectionAt, const QString& key) const {
    for (qsizetype i = sectionAt + 1; i < m_lines.size() && !isSectionLine(m_lines[i]); ++i) {
        const qsizetype eq = m_lines[i].indexOf(u'=');
        if (eq > 0 && m_lines[i].left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString IniFile::ReadString(const QString& section, const QString& key,
                            const QString& defaultValue) const {
    const qsizetype at = sectionLine(section);
    const qsizetype line = at < 0 ? -1 : keyLine(at, key);
    if (line < 0)
        return defaultValue;
    return m_lines[line].mid(m_lines[line].indexOf(u'=') + 1).trimmed();
}

void IniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    QStringList lines = m_lines;
    qsizetype at = sectionLine(section);
    if (at < 0) {
        lines.append("[" + section + "]");
        at = lines.size() - 1;
    }
    const QString entry = key + "=" + value;
    const qsizetype line = keyLine(at, key);
    if (line >= 0) {
        lines[line] = entry;
    } else {
        qsizetype end = at + 1;
        while (end < lines.size() && !isSectionLine(lines[end]))
            ++end;
        // Keep the blank line that separates this section from the next one.
        while (end > at + 1 && lines[end - 1].trimmed().isEmpty())
            --end;
        lines.insert(end, entry);
    }
    QString reason;
    if (!WriteTextLines(m_path, lines, &reason))
        throw EDayglassError(reason);
    m_lines = lines;
}
