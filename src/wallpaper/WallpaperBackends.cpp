#include "wallpaper/WallpaperBackends.h"

#include "wallpaper/EDesktopWallpaperError.h"
#include "wallpaper/X11RootWallpaper.h"

#include <QUrl>

namespace {

// A text as a double-quoted JavaScript string literal.
QString JavaScriptStringLiteral(const QString& text) {
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == '"' || c == '\\')
            out += '\\' + QString(c);
        else if (c.unicode() < 0x20 || c.unicode() == 0x2028 || c.unicode() == 0x2029)
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QChar('0'));
        else
            out += c;
    }
    return out + '"';
}

// A path as one word of a sway command.
QString SwayQuoted(const QString& text) {
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + '"';
}

QStringList Lines(const QByteArray& output) {
    QStringList lines;
    for (const QString& line : QString::fromLocal8Bit(output).split('\n', Qt::SkipEmptyParts))
        lines << line.trimmed();
    return lines;
}

void RunAll(const QList<WallpaperCommand>& commands) {
    for (const WallpaperCommand& command : commands)
        RunWallpaperCommand(command);
}

} // namespace

QString WallpaperFileUri(const QString& file) {
    return QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded);
}

QString GVariantStringLiteral(const QString& text) {
    QString out = QStringLiteral("'");
    for (const QChar c : text) {
        if (c == '\'' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + '\'';
}

QString WallpaperSchema(WallpaperBackend backend) {
    switch (backend) {
    case WallpaperBackend::Cinnamon:
        return QStringLiteral("org.cinnamon.desktop.background");
    case WallpaperBackend::Mate:
        return QStringLiteral("org.mate.background");
    default:
        return QStringLiteral("org.gnome.desktop.background");
    }
}

QList<WallpaperCommand> GSettingsWallpaperCommands(WallpaperBackend backend, const QString& file,
                                                   bool tile, const QStringList& schemaKeys) {
    const QString schema = WallpaperSchema(backend);
    const QString gsettings = QStringLiteral("gsettings");
    auto set = [&](const QString& key, const QString& value) {
        return WallpaperCommand{gsettings, {"set", schema, key, value}};
    };
    // The style goes first, so that the desktop's reload on the picture change
    // already uses it.
    QList<WallpaperCommand> commands{
        set("picture-options", GVariantStringLiteral(tile ? "wallpaper" : "centered"))};
    if (backend == WallpaperBackend::Mate) {
        commands << set("picture-filename", GVariantStringLiteral(file));
        return commands;
    }
    const QString uri = GVariantStringLiteral(WallpaperFileUri(file));
    commands << set("picture-uri", uri);
    if (schemaKeys.contains("picture-uri-dark"))
        commands << set("picture-uri-dark", uri);
    return commands;
}

QList<WallpaperCommand> XfceWallpaperCommands(const QStringList& properties, const QString& file,
                                              bool tile) {
    static const QString ImageSuffix = QStringLiteral("/last-image");
    const QString xfconf = QStringLiteral("xfconf-query");
    // xfdesktop's image-style: 1 centred, 2 tiled.
    const QString style = tile ? QStringLiteral("2") : QStringLiteral("1");
    QList<WallpaperCommand> commands;
    for (const QString& property : properties) {
        if (!property.startsWith("/backdrop/") || !property.endsWith(ImageSuffix))
            continue;
        const QString prefix = property.chopped(ImageSuffix.size());
        commands << WallpaperCommand{
            xfconf,
            {"-c", "xfce4-desktop", "-p", prefix + "/image-style", "-n", "-t", "int", "-s", style}};
        commands << WallpaperCommand{
            xfconf, {"-c", "xfce4-desktop", "-p", property, "-n", "-t", "string", "-s", file}};
    }
    return commands;
}

QString KdeWallpaperScript(const QString& file, bool tile) {
    // Plasma's image wallpaper FillMode: 3 tiled, 6 centred at its own size.
    return QStringLiteral("var file = %1;\n"
                          "desktops().forEach(function (d) {\n"
                          "    d.wallpaperPlugin = \"org.kde.image\";\n"
                          "    d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", "
                          "\"General\"];\n"
                          "    d.writeConfig(\"Image\", file);\n"
                          "    d.writeConfig(\"FillMode\", %2);\n"
                          "});\n")
        .arg(JavaScriptStringLiteral(WallpaperFileUri(file)), tile ? "3" : "6");
}

WallpaperCommand KdeWallpaperCommand(const QString& file, bool tile) {
    return {QStringLiteral("dbus-send"),
            {"--session", "--dest=org.kde.plasmashell", "--type=method_call", "--print-reply",
             "/PlasmaShell", "org.kde.PlasmaShell.evaluateScript",
             "string:" + KdeWallpaperScript(file, tile)}};
}

WallpaperCommand PcmanfmWallpaperCommand(WallpaperBackend backend, const QString& file, bool tile) {
    return {backend == WallpaperBackend::Lxqt ? QStringLiteral("pcmanfm-qt")
                                              : QStringLiteral("pcmanfm"),
            {"--set-wallpaper", file, "--wallpaper-mode", tile ? "tile" : "center"}};
}

WallpaperCommand SwayWallpaperCommand(const QString& file, bool tile) {
    return {QStringLiteral("swaymsg"),
            {"output", "*", "bg", SwayQuoted(file), tile ? "tile" : "center"}};
}

void ApplyWallpaperBackend(WallpaperBackend backend, const QString& file, bool tile) {
    switch (backend) {
    case WallpaperBackend::Gnome:
    case WallpaperBackend::Cinnamon:
    case WallpaperBackend::Mate: {
        const QStringList keys = Lines(RunWallpaperCommand(
            {QStringLiteral("gsettings"), {"list-keys", WallpaperSchema(backend)}}));
        RunAll(GSettingsWallpaperCommands(backend, file, tile, keys));
        return;
    }
    case WallpaperBackend::Xfce: {
        const QStringList properties = Lines(
            RunWallpaperCommand({QStringLiteral("xfconf-query"), {"-c", "xfce4-desktop", "-l"}}));
        const QList<WallpaperCommand> commands = XfceWallpaperCommands(properties, file, tile);
        if (commands.isEmpty())
            throw EDesktopWallpaperError(
                QStringLiteral("Xfce has no backdrop to set (is xfdesktop running?)"));
        RunAll(commands);
        return;
    }
    case WallpaperBackend::Kde:
        RunWallpaperCommand(KdeWallpaperCommand(file, tile));
        return;
    case WallpaperBackend::Lxqt:
    case WallpaperBackend::Lxde:
        RunWallpaperCommand(PcmanfmWallpaperCommand(backend, file, tile));
        return;
    case WallpaperBackend::Sway:
        RunWallpaperCommand(SwayWallpaperCommand(file, tile));
        return;
    case WallpaperBackend::X11:
        SetX11RootWallpaper(file, tile);
        return;
    case WallpaperBackend::None:
        return;
    }
}
