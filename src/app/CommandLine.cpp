#include "app/CommandLine.h"

CommandMode ModeOf(const QStringList& arguments) {
    const QString first = arguments.value(0);
    if (first == "--once")
        return CommandMode::Once;
    if (first == "--help")
        return CommandMode::Help;
    if (first == "--version")
        return CommandMode::Version;
    return CommandMode::Normal;
}

QString UsageText() {
    return "Usage: dayglass [/start | --once | --help | --version]\n"
           "\n"
           "Downloads pictures from \"Image of the Day\" sites and makes them your desktop\n"
           "wallpaper. Lives in the tray; starting it again shows the running copy.\n"
           "\n"
           "  /start     start hidden in the tray and download at once (the autostart entry)\n"
           "  --once     run one download cycle without a window, save, and exit;\n"
           "             exit status 0 when a new picture was taken, 1 when none was,\n"
           "             2 when Dayglass is already running\n"
           "  --help     show this text\n"
           "  --version  show the version\n"
           "\n"
           "Any other first argument starts with the window shown and downloads at once.\n";
}
