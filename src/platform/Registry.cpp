#include "platform/Registry.h"

#include "platform/Errors.h"
#include "platform/Folders.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <map>

namespace {

QString configHome() {
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (QDir::isAbsolutePath(xdg))
        return xdg;
    return QDir::homePath() + "/.config";
}

// Names and values are kept one per line as name=value; these escapes keep
// a line break, an "=" in a name and the escape itself from breaking a line.
QString escaped(const QString& text, bool isName) {
    QString out;
    for (QChar c : text) {
        if (c == u'\\')
            out += "\\\\";
        else if (c == u'\r')
            out += "\\r";
        else if (c == u'\n')
            out += "\\n";
        else if (c == u'=' && isName)
            out += "\\=";
        else
            out += c;
    }
    return out;
}

QString unescaped(QStringView text) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) != u'\\' || i + 1 == text.size()) {
            out += text.at(i);
            continue;
        }
        const QChar next = text.at(++i);
        out += next == u'r' ? QChar(u'\r') : next == u'n' ? QChar(u'\n') : next;
    }
    return out;
}

// Position of the first "=" that is not escaped, or -1.
qsizetype separatorOf(const QString& line) {
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line.at(i) == u'\\')
            ++i;
        else if (line.at(i) == u'=')
            return i;
    }
    return -1;
}

using Values = std::map<QString, QString>;

Values readValues(const QString& file) {
    Values values;
    for (const QString& line : ReadTextLines(file).value_or(QStringList())) {
        const qsizetype eq = separatorOf(line);
        if (eq > 0)
            values[unescaped(QStringView(line).left(eq))] =
                unescaped(QStringView(line).mid(eq + 1));
    }
    return values;
}

QString makerKey(const QString& product, const QString& subKey) {
    return "SOFTWARE\\Vorlix\\" + product + "\\" + subKey;
}

} // namespace

QString RegistryKeyFile(const QString& keyPath, RegistryRoot root) {
    QStringList parts;
    for (const QString& part : QString(keyPath).replace(u'/', u'\\').split(u'\\')) {
        if (part.isEmpty())
            continue;
        if (part == "." || part == "..")
            return {};
        parts.append(part);
    }
    if (parts.isEmpty())
        return {};
    const QString rootName =
        root == RegistryRoot::CurrentUser ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
    return configHome() + "/Vorlix/Registry/" + rootName + "/" + parts.join(u'/') + ".reg";
}

void WriteRegistryText(const QString& keyPath, const QString& name, const QString& value,
                       RegistryRoot root) {
    const QString file = RegistryKeyFile(keyPath, root);
    if (file.isEmpty() || !EnsureFolder(QFileInfo(file).absolutePath()))
        throw EDayglassError("Error encountered saving registry");
    Values values = readValues(file);
    if (value.isEmpty())
        values.erase(name);
    else
        values[name] = value;
    QStringList lines;
    for (const auto& [key, text] : values)
        lines.append(escaped(key, true) + "=" + escaped(text, false));
    QString reason;
    if (!WriteTextLines(file, lines, &reason))
        throw EDayglassError(reason);
}

QString ReadRegistryText(const QString& keyPath, const QString& name, RegistryRoot root) {
    const QString file = RegistryKeyFile(keyPath, root);
    if (file.isEmpty())
        return {};
    const Values values = readValues(file);
    const auto it = values.find(name);
    return it == values.end() ? QString() : it->second;
}

void WriteMakerSetting(const QString& product, const QString& subKey, const QString& name,
                       const QString& value) {
    WriteRegistryText(makerKey(product, subKey), name, value, RegistryRoot::CurrentUser);
}

QString ReadMakerSetting(const QString& product, const QString& subKey, const QString& name) {
    return ReadRegistryText(makerKey(product, subKey), name, RegistryRoot::CurrentUser);
}
