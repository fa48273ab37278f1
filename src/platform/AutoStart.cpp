#include "platform/AutoStart.h"

#include "platform/Errors.h"
#include "platform/Folders.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Quotes a path for an Exec line: inside double quotes, '"', '`', '$' and
// '\' take a backslash, and '%' is doubled as field codes demand.
QString quotedForExec(const QString& path) {
    QString out = "\"";
    for (QChar c : path) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            out += u'\\';
        if (c == u'%')
            out += u'%';
        out += c;
    }
    return out + "\"";
}

} // namespace

QString AutoStartFile() {
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!QDir::isAbsolutePath(config))
        config = QDir::homePath() + "/.config";
    return config + "/autostart/dayglass.desktop";
}

void SetAutoStart(bool enabled, const QString& exeFileName) {
    const QString file = AutoStartFile();
    if (!enabled) {
        if (QFile::exists(file) && !QFile::remove(file))
            throw EDayglassError("Error encountered saving registry");
        return;
    }
    if (!EnsureFolder(QFileInfo(file).absolutePath()))
        throw EDayglassError("Error encountered saving registry");
    const QByteArray entry = "[Desktop Entry]\n"
                             "Type=Application\n"
                             "Name=Dayglass\n"
                             "Comment=Image of the day wallpaper changer\n"
                             "Exec=" +
                             quotedForExec(exeFileName).toUtf8() +
                             " /start\n"
                             "Terminal=false\n"
                             "X-GNOME-Autostart-enabled=true\n";
    QString reason;
    if (!WriteFileAtomically(file, entry, &reason))
        throw EDayglassError(reason);
}

bool IsAutoStart() {
    for (const QString& line : ReadTextLines(AutoStartFile()).value_or(QStringList()))
        if (line.startsWith("Exec=") && !line.mid(5).trimmed().isEmpty())
            return true;
    return false;
}
